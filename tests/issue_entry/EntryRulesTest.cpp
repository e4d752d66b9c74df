#include "EntryFixture.h"
#include "EntryTests.h"

#include "data/BasLoanVariables.h"
#include "issue_entry/frmLoan.h"
#include "platform/ui/MessageBox.h"

#include <QLineEdit>
#include <QTest>

using namespace EntryFixture;

namespace {

// Issues of the register's company given as "type number", "x" after a cancelled one.
void addIssues(const QStringList& issues)
{
    int id = 100;
    for (const QString& issue : issues) {
        const QStringList part = issue.split(u' ');
        run(QStringLiteral("insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, "
                           "liempid, liLoanID, liLoanAppID, licancelled) values (%1, %2, '%3', "
                           "'%4', '2024-01-02', 2, 1, 99, %5)")
                .arg(BasLoan::intCompanyID)
                .arg(++id)
                .arg(part[0], part[1],
                     part.size() > 2 ? QStringLiteral("1") : QStringLiteral("0")));
    }
}

} // namespace

class EntryRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { frmLoan::Unload(); }

    void validation_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("amount"); // empty: as the application gives it
        QTest::addColumn<QString>("message");
        const QString limits = QStringLiteral(
            "The loan amount must be between 1000.00 and 50000.00 for Personal Loan.");
        QTest::newRow("nothing chosen") << "L" << 0 << 0 << ""
                                        << "Select employee";
        QTest::newRow("no application") << "L" << 1 << 0 << ""
                                        << "Select loan application";
        QTest::newRow("amount only blanks") << "L" << 1 << 10 << "   "
                                            << "Enter loan amount";
        QTest::newRow("application without a period") << "L" << 2 << 12 << ""
                                                      << "Enter No Of Payments";
        QTest::newRow("above the loan type's limit") << "L" << 1 << 10 << "50000.01" << limits;
        QTest::newRow("below the loan type's limit") << "L" << 1 << 10 << "999.99" << limits;
        QTest::newRow("at the upper limit") << "L" << 1 << 10 << "50000"
                                            << "";
        QTest::newRow("loan type without an upper limit") << "A" << 1 << 20 << "999999"
                                                          << "";
    }
    void validation()
    {
        QFETCH(QString, type);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        useRegister(openPayroll(), 1, type);
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(employee, application);
        if (!amount.isEmpty())
            entry.txtLoanAmount->setText(amount);
        QCOMPARE(entry.fnValidateEntry(), message.isEmpty());
        QCOMPARE(messages.prompts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void numbering_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("issues");
        QTest::addColumn<QString>("next");
        QStringList tenLoans;
        for (int n = 1; n <= 10; ++n)
            tenLoans << QStringLiteral("L LN%1").arg(n);
        QTest::newRow("LN1 to LN10: the maximum is numeric") << 1 << "L" << tenLoans << "LN11";
        QTest::newRow("a cancelled highest number still counts")
            << 1 << "L" << QStringList{"L LN1", "L LN5 x"} << "LN6";
        QTest::newRow("advances apart from loans")
            << 1 << "A" << QStringList{"L LN40", "A ADV2"} << "ADV3";
        QTest::newRow("first advance") << 1 << "A" << QStringList{} << "ADV1";
        QTest::newRow("no prefix, first") << 2 << "L" << QStringList{} << "1";
        QTest::newRow("no prefix") << 2 << "L" << QStringList{"L 1"} << "2";
    }
    void numbering()
    {
        QFETCH(int, company);
        QFETCH(QString, type);
        QFETCH(QStringList, issues);
        QFETCH(QString, next);
        useRegister(openPayroll(), qint16(company), type);
        addIssues(issues);
        frmLoan& entry = frmLoan::instance();
        entry.GenerateIssueNo();
        QCOMPARE(entry.strIssueNo, next);
    }

    void numberThatCannotBeFormedEndsTheSave_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("description");
        QTest::newRow("remainder not a whole number")
            << "insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, "
               "liLoanID, liLoanAppID) values (1, 1, 'L', 'LNX1', '2024-01-02', 2, 1, 99)"
            << "Conversion failed";
        QTest::newRow("prefix NULL") << "update pPrefix set Prefix = NULL"
                                     << "Invalid use of Null";
        QTest::newRow("past 32767")
            << "insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, "
               "liLoanID, liLoanAppID) values (1, 1, 'L', 'LN32767', '2024-01-02', 2, 1, 99)"
            << "Overflow";
    }
    void numberThatCannotBeFormedEndsTheSave()
    {
        QFETCH(QString, setup);
        QFETCH(QString, description);
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        run(setup);
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(1, 10);
        entry.cmdOK_Click();
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY2(messages.shown().first().prompt.startsWith(description),
                 qPrintable(messages.prompts()[0]));
        QVERIFY(entry.isVisible());
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssueData")).toInt(),
                 setup.startsWith(u"insert") ? 1 : 0);
        QCOMPARE(
            scalar(QStringLiteral("select sum(lrdProcessed) from ploanrepaymentdetails")).toInt(),
            0);
    }
};

int runEntryRulesTests(int argc, char** argv)
{
    EntryRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EntryRulesTest.moc"
