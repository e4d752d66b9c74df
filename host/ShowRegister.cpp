#include "ShowRegister.h"

#include "HostDatabase.h"
#include "ModuleLoader.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

int report(const RuntimeError& error, const HostOptions& options, int exitStatus)
{
    QTextStream(stderr) << u"payroll-host: %1\n"_s.arg(error.description());
    msgbox::MsgBox(error.description(), msgbox::vbCritical, options.title);
    return exitStatus;
}

} // namespace

int showRegister(const HostOptions& options)
{
    ado::ConnectionPtr connection;
    try {
        connection = HostDatabase::openExisting(options.database);
    } catch (const RuntimeError& error) {
        return report(error, options, 1);
    }
    ModuleLoader loader(options.modulePath);
    std::unique_ptr<_clsLoan> loan;
    try {
        loan = loader.create(u"OstrelLoanIssue.clsLoan"_s);
    } catch (const RuntimeError& error) {
        return report(error, options, 2);
    }
    try {
        loan->setAdocon(connection);
        loan->setMsgboxTitle(options.title);
        loan->setProcessDate(options.processDate.isValid() ? options.processDate
                                                           : QDate::currentDate());
        loan->setIntUserID(options.userId);
        loan->setIntCompanyID(options.companyId);
        loan->setStrtype(options.issueType);
        loan->Show();
        return 0;
    } catch (const RuntimeError& error) {
        return report(error, options, 1);
    }
}
