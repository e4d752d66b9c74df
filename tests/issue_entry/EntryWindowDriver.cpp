#include "EntryWindowDriver.h"

#include "issue_entry/frmLoan.h"

EntryWindowDriver::EntryWindowDriver(std::function<void(frmLoan&)> check)
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this, check] {
        if (!frmLoan::isLoaded() || !frmLoan::instance().isVisible())
            return; // not shown yet
        m_timer.stop();
        m_ran = true;
        check(frmLoan::instance());
        if (frmLoan::isLoaded() && frmLoan::instance().isVisible())
            frmLoan::instance().done(QDialog::Rejected);
    });
    m_timer.start();
}
