#include "EntryTest.h"

#include "SupersedingPresenter.h"
#include "issue_entry/frmLoan.h"
#include "runtime/ShortDate.h"

#include <QDate>
#include <QLabel>

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
        const auto limits = [](const char* amount) {
            return u"The loan amount Rs %1 must be between Rs 1,000.00 and Rs 50,000.00 for "
                   "Personal Loan."_s.arg(QLatin1String(amount));
        };
        QTest::newRow("nothing chosen") << "L" << 0 << 0 << QString() << "Select employee";
        QTest::newRow("no application") << "L" << 1 << 0 << QString() << "Select loan application";
        QTest::newRow("application without an amount")
            << "L" << 2 << 12 << QString()
            << "Application LA-12 has no approved amount; it cannot be issued until it has one.";
        QTest::newRow("application without a period")
            << "L" << 2 << 12 << u"5000"_s
            << "Application LA-12 has no payment period; it cannot be issued until it has one.";
        QTest::newRow("above the loan type's limit")
            << "L" << 1 << 10 << "50000.01" << limits("50,000.01");
        QTest::newRow("below the loan type's limit")
            << "L" << 1 << 10 << "999.99" << limits("999.99");
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
        if (!amount.isEmpty()) {
            entry.txtLoanAmount->setText(amount);
            entry.txtLoanAmount_LostFocus();
        }
        QCOMPARE(entry.fnValidateEntry(), message.isEmpty());
        QCOMPARE(messages.prompts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // What keeps an application from being issued, and the one detail of it no box shows, are
    // told as soon as it is chosen.
    void guideLine_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("guide");
        QTest::newRow("employee without an open application")
            << "A" << 2 << 0 << QString()
            << "Bala has no open advance application: none is approved, uncancelled and not yet "
               "issued.";
        QTest::newRow("approval date")
            << "L" << 1 << 10
            << u"update ploanapplication set laAppDate = '20240105' where laLoanAppID = 10"_s
            << u"Application LA-10, approved on %1."_s.arg(ShortDate::format(QDate(2024, 1, 5)));
        QTest::newRow("amount beyond the loan type's limit")
            << "L" << 1 << 10
            << u"update ploanapplication set laSanctionAmount = 60000 where laLoanAppID = 10"_s
            << "The loan amount Rs 60,000.00 must be between Rs 1,000.00 and Rs 50,000.00 for "
               "Personal Loan.";
    }
    void guideLine()
    {
        QFETCH(QString, type);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QString, setup);
        QFETCH(QString, guide);
        openRegister(1, type);
        if (!setup.isEmpty())
            run(setup);
        msgbox::ScriptedPresenter messages;
        const frmLoan& entry = newEntry(employee, application);
        QCOMPARE(entry.lblGuide->text(), guide);
        QCOMPARE(messages.prompts(), QStringList());
    }

    // A new issue whose figures payroll could not recover, or that are not money to the cent
    // within what a statement prints whole, is refused with its cause and nothing stored; usable
    // figures are shown and stored to the cent.
    void figuresOfANewIssue_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("setup");   // statements separated by ";"
        QTest::addColumn<QString>("typed");   // "box=text" separated by ";", after the application
        QTest::addColumn<QString>("outcome"); // "amount|instalment|total" stored, or the refusal
        const auto row = [](const char* name, const char* type, int application, QString setup,
                            const char* typed, const char* outcome) {
            QTest::newRow(name) << QString::fromLatin1(type) << application << setup
                                << QString::fromLatin1(typed) << QString::fromLatin1(outcome);
        };
        const QString app = u"update ploanapplication set "_s;
        const char* noInstalment = "The instalment must be more than 0.";
        const char* wholePayments =
            "The number of payments must be a whole number from 1 to 9,999.";
        const char* beyond = "999,999,999,999.99.";
        row("x.xx4 then 5 stays down, shown and stored", "L", 11,
            app + u"laSanctionAmount = 5300 where laLoanAppID = 11"_s, "", "5300|554.04|5540.4");
        row("approved fractions of a cent, instalment not worked out", "L", 15,
            app + u"laSanctionAmount = 1234.5649, laInstalmentAmount = 333.3333, laEmployeeID = 1 "
                  "where laLoanAppID = 15"_s,
            "", "1234.56|333.33|3999.96");
        row("rate and application instalment Null", "L", 15,
            app + u"laInstalmentAmount = NULL, laEmployeeID = 1 where laLoanAppID = 15"_s, "",
            noInstalment);
        row("rate that overflows", "L", 10,
            u"update pLoans set lPercentageofInterest = 1e308 where lLoanID = 1;"_s + app +
                u"laInstalmentAmount = NULL where laLoanAppID = 10"_s,
            "", noInstalment);
        row("amount 0", "A", 20, app + u"laSanctionAmount = 0 where laLoanAppID = 20"_s, "",
            "Application AA-20 has no approved amount");
        row("amount below 0", "A", 20, {}, "amount=-5", "The advance amount must be more than 0.");
        row("amount below a cent", "A", 20, {}, "amount=0.004",
            "The advance amount rounds to 0.00");
        row("instalment below a cent", "A", 20, {}, "instalment=0.004",
            "The instalment rounds to 0.00");
        row("no payments", "A", 20, {}, "payments=0",
            "The number of payments must be more than 0.");
        row("part of a payment", "A", 20, {}, "payments=2.5", wholePayments);
        row("10,000 payments", "A", 20, {}, "payments=10000", wholePayments);
        row("amount beyond the highest", "A", 20, {}, "amount=1000000000000", beyond);
        row("the highest amount and total", "A", 20, {},
            "amount=999999999999.96;instalment=249999999999.99",
            "999999999999.96|249999999999.99|999999999999.96");
        row("total beyond the highest", "A", 20, {}, "amount=8000;instalment=250000000000", beyond);
        row("first instalment repays it all", "A", 20, {}, "instalment=8000",
            "imply no interest rate: the first instalment of 8,000.00 alone repays");
        row("payments short of the amount", "A", 20, {}, "instalment=1999.99",
            "imply no interest rate: 4 payments of 1,999.99 fall short");
    }
    void figuresOfANewIssue()
    {
        QFETCH(QString, type);
        QFETCH(int, application);
        QFETCH(QString, setup);
        QFETCH(QString, typed);
        QFETCH(QString, outcome);
        openRegister(1, type);
        for (const QString& statement : setup.split(u';', Qt::SkipEmptyParts))
            run(statement);
        msgbox::SupersedingPresenter messages;
        frmLoan& entry = newEntry(1, application);
        const QHash<QString, QLineEdit*> boxes{{u"amount"_s, entry.txtLoanAmount},
                                               {u"payments"_s, entry.txtNoOfPayments},
                                               {u"instalment"_s, entry.txtInstallmentAmount}};
        for (const QString& entered : typed.split(u';', Qt::SkipEmptyParts))
            boxes[entered.section(u'=', 0, 0)]->setText(entered.section(u'=', 1));
        const QString shown =
            entry.txtLoanAmount->text() + u'|' + entry.txtInstallmentAmount->text();
        messages.clear();
        entry.cmdOK_Click();
        if (outcome.contains(u'|')) {
            QCOMPARE(messages.prompts(), QStringList());
            QVERIFY2(outcome.startsWith(shown), qPrintable(shown));
            QCOMPARE(stored(u"select liOpeningBalance, liInstallmentAmount, liCurrentBalance "
                            "from pLoansIssueData"_s),
                     outcome.split(u'|'));
        } else {
            QVERIFY2(messages.prompts().value(0).contains(outcome),
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
