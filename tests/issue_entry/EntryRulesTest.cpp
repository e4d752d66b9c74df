#include "EntryTest.h"

#include "SupersedingPresenter.h"
#include "issue_entry/frmLoan.h"

#include <QLineEdit>
#include <QTest>

using namespace EntryFixture;
using namespace Qt::StringLiterals;

class EntryRulesTest : public EntryTest
{
    Q_OBJECT

private slots:
    void validation_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("amount"); // empty: as the application gives it
        QTest::addColumn<QString>("message");
        const QString limits =
            u"The loan amount must be between 1000.00 and 50000.00 for Personal Loan."_s;
        QTest::newRow("nothing chosen") << "L" << 0 << 0 << QString() << "Select employee";
        QTest::newRow("no application") << "L" << 1 << 0 << QString() << "Select loan application";
        QTest::newRow("amount only blanks") << "L" << 1 << 10 << u"   "_s << "Enter loan amount";
        QTest::newRow("application without a period")
            << "L" << 2 << 12 << QString() << "Enter No Of Payments";
        QTest::newRow("above the loan type's limit") << "L" << 1 << 10 << "50000.01" << limits;
        QTest::newRow("below the loan type's limit") << "L" << 1 << 10 << "999.99" << limits;
        QTest::newRow("at the upper limit") << "L" << 1 << 10 << "50000" << QString();
        QTest::newRow("loan type without an upper limit")
            << "A" << 1 << 20 << "999999" << QString();
    }
    void validation()
    {
        QFETCH(QString, type);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        openRegister(1, type);
        msgbox::SupersedingPresenter messages;
        frmLoan& entry = newEntry(employee, application);
        if (!amount.isEmpty())
            entry.txtLoanAmount->setText(amount);
        QCOMPARE(entry.fnValidateEntry(), message.isEmpty());
        QCOMPARE(messages.prompts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // A new issue whose figures payroll could not recover is refused with its cause and nothing
    // stored; usable figures are stored to the cent as shown.
    void figuresOfANewIssue_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("setup");    // statements separated by ";"
        QTest::addColumn<QString>("payments"); // as a server database may give them, if set
        QTest::addColumn<QString>("outcome");  // the instalment stored, or the refusal
        const auto row = [](const char* name, const char* type, int application, QString setup,
                            const char* payments, const char* outcome) {
            QTest::newRow(name) << QString::fromLatin1(type) << application << setup
                                << QString::fromLatin1(payments) << QString::fromLatin1(outcome);
        };
        const QString app = u"update ploanapplication set "_s;
        const char* noInstalment = "The instalment must be more than 0.";
        row("x.xx4 then 5 stays down, shown and stored", "L", 11,
            app + u"laSanctionAmount = 5300 where laLoanAppID = 11"_s, "", "554.04");
        row("rate and application instalment Null", "L", 15,
            app + u"laInstalmentAmount = NULL, laEmployeeID = 1 where laLoanAppID = 15"_s, "",
            noInstalment);
        row("rate that overflows", "L", 10,
            u"update pLoans set lPercentageofInterest = 1e308 where lLoanID = 1;"_s + app +
                u"laInstalmentAmount = NULL where laLoanAppID = 10"_s,
            "", noInstalment);
        row("amount 0", "A", 20, app + u"laSanctionAmount = 0 where laLoanAppID = 20"_s, "",
            "The advance amount must be more than 0.");
        row("no payments", "A", 20, QString(), "0", "The number of payments must be more than 0.");
    }
    void figuresOfANewIssue()
    {
        QFETCH(QString, type);
        QFETCH(int, application);
        QFETCH(QString, setup);
        QFETCH(QString, payments);
        QFETCH(QString, outcome);
        openRegister(1, type);
        for (const QString& statement : setup.split(u';', Qt::SkipEmptyParts))
            run(statement);
        msgbox::SupersedingPresenter messages;
        frmLoan& entry = newEntry(1, application);
        if (!payments.isEmpty())
            entry.txtNoOfPayments->setText(payments);
        const QString shown = entry.txtInstallmentAmount->text();
        entry.cmdOK_Click();
        if (messages.shown().isEmpty()) {
            QCOMPARE(shown, outcome);
            QCOMPARE(stored(u"select liInstallmentAmount, liCurrentBalance / "
                            "liNoofPayments from pLoansIssueData"_s),
                     QStringList(2, outcome));
        } else {
            QVERIFY2(messages.prompts().back().startsWith(outcome),
                     qPrintable(messages.prompts().join(u'|')));
            QVERIFY(!shown.contains(u"inf"_s) && !shown.contains(u"nan"_s));
            QCOMPARE(storedValue(u"select count(*) from pLoansIssueData"_s), u"0"_s);
            QVERIFY(entry.isVisible());
        }
    }

    void numbering_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("issues"); // "type number", "x" after a cancelled one
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("outcome"); // the new number, or how the save fails
        QStringList tenLoans;
        for (int n = 1; n <= 10; ++n)
            tenLoans << u"L LN%1"_s.arg(n);
        QTest::newRow("LN1 to LN10: the maximum is numeric")
            << 1 << "L" << tenLoans << QString() << "LN11";
        QTest::newRow("a cancelled highest number still counts")
            << 1 << "L" << QStringList{"L LN1", "L LN5 x"} << QString() << "LN6";
        QTest::newRow("advances apart from loans")
            << 1 << "A" << QStringList{"L LN40", "A ADV2"} << QString() << "ADV3";
        QTest::newRow("no prefix") << 2 << "L" << QStringList{"L 1"} << QString() << "2";
        // A number that cannot be formed ends the save with nothing stored.
        QTest::newRow("remainder not a whole number")
            << 1 << "L" << QStringList{"L LNX1"} << QString() << "Conversion failed";
        QTest::newRow("prefix NULL")
            << 1 << "L" << QStringList{} << u"update pPrefix set Prefix = NULL"_s
            << "Invalid use of Null";
        QTest::newRow("the 32,768th")
            << 1 << "L" << QStringList{"L LN32767"} << QString() << "LN32768";
        QTest::newRow("past the 32-bit numbers")
            << 1 << "L" << QStringList{"L LN2147483647"} << QString()
            << "The running numbers of this company's issues have reached 2147483647";
    }
    void numbering()
    {
        QFETCH(int, company);
        QFETCH(QString, type);
        QFETCH(QStringList, issues);
        QFETCH(QString, setup);
        QFETCH(QString, outcome);
        openRegister(qint16(company), type);
        for (int i = 0; i < issues.size(); ++i) {
            const QStringList part = issues[i].split(u' ');
            addIssue(company, 100 + i, part[0], part[1], part.size() > 2);
        }
        if (!setup.isEmpty())
            run(setup);
        msgbox::SupersedingPresenter messages;
        frmLoan& entry = newEntry(1, company == 2 ? 30 : type == u"A" ? 20 : 10);
        entry.cmdOK_Click();
        const bool saved = messages.shown().isEmpty();
        QCOMPARE(saved ? entry.strIssueNo : messages.prompts()[0].left(outcome.size()), outcome);
        QCOMPARE(entry.isVisible(), !saved);
        QCOMPARE(storedValue(u"select count(*) from pLoansIssueData"_s).toInt(),
                 issues.size() + saved);
        QCOMPARE(storedValue(u"select sum(lrdProcessed) from ploanrepaymentdetails"_s).toInt() > 0,
                 saved);
    }
};

QTEST_MAIN(EntryRulesTest)

#include "EntryRulesTest.moc"
