// The smallest payroll host: opens a payroll database, loads the loan issue module where it was
// installed and shows its loan register as user 1 of company 1.
//   loan-host DATABASE
#include "OstrelLoanIssue.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QPluginLoader>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: loan-host DATABASE\n");
        return 2;
    }
    QPluginLoader loader(QStringLiteral(OSTREL_LOAN_ISSUE_MODULE));
    auto* server = qobject_cast<OstrelComponentServer*>(loader.instance());
    if (!server) {
        std::fprintf(stderr, "%s\n", qPrintable(loader.errorString()));
        return 2;
    }
    try {
        auto connection = std::make_shared<ado::Connection>();
        connection->Open(QString::fromLocal8Bit(argv[1]));
        std::unique_ptr<_clsLoan> loan =
            server->CreateObject(QStringLiteral("OstrelLoanIssue.clsLoan"));
        loan->setAdocon(connection);
        loan->setMsgboxTitle(QStringLiteral("Payroll"));
        loan->setProcessDate(QDate::currentDate());
        loan->setIntUserID(1);
        loan->setIntCompanyID(1);
        loan->setStrtype(QStringLiteral("L"));
        loan->Show();
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description()));
        return 1;
    }
    return 0;
}
