#include "ShowRegister.h"

#include "HostDatabase.h"
#include "ModuleLoader.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBox.h"

#include <QTextStream>

int showRegister(const HostOptions& options)
{
    try {
        const ado::ConnectionPtr connection = HostDatabase::openExisting(options.database);
        ModuleLoader loader(options.modulePath);
        const std::unique_ptr<_clsLoan> loan =
            loader.create(QStringLiteral("OstrelLoanIssue.clsLoan"));
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
        QTextStream(stderr) << QStringLiteral("payroll-host: %1\n").arg(error.description());
        msgbox::MsgBox(error.description(), msgbox::vbCritical, options.title);
        return 1;
    }
}
