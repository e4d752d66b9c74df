#include "EntryFixture.h"
#include "EntryTests.h"

#include "data/BasLoanVariables.h"
#include "issue_entry/InstalmentFormula.h"
#include "issue_entry/frmLoan.h"
#include "platform/runtime/Conversions.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace EntryFixture;

class InstalmentTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { frmLoan::Unload(); }

    void formula_data()
    {
        QTest::addColumn<bool>("level");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("payments");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("instalment");
        QTest::newRow("level, due at the start of each month")
            << true << 12000. << 12. << 12. << "1055.63";
        QTest::newRow("level at 0 %") << true << 12000. << 12. << 0. << "1000.00";
        QTest::newRow("level, one payment") << true << 5000. << 1. << 12. << "5000.00";
        QTest::newRow("declining, interest on each month's balance")
            << false << 12000. << 12. << 7. << "1037.92";
        QTest::newRow("declining, half a cent rounds up")
            << false << 2400. << 12. << 4.5 << "204.88";
        QTest::newRow("declining at 0 %") << false << 12000. << 12. << 0. << "1000.00";
    }
    void formula()
    {
        QFETCH(bool, level);
        QFETCH(double, amount);
        QFETCH(double, payments);
        QFETCH(double, rate);
        QFETCH(QString, instalment);
        const double value = level ? InstalmentFormula::levelPayment(amount, payments, rate)
                                   : InstalmentFormula::decliningBalance(amount, payments, rate);
        QCOMPARE(vb::Format(value, u"0.00"), instalment);
    }

    void choosingAnApplication_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        // amount, payments, instalment, deduct monthly, the two labels
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("level payment replaces the application's instalment")
            << 1 << "L" << 1 << 10
            << QStringList{
                   "12000", "12", "1055.63", "1", "Loan Amount(Rs):", "Installment Amt(Rs):"};
        QTest::newRow("deduct monthly unknown unticks")
            << 1 << "L" << 1 << 11
            << QStringList{
                   "10000", "10", "1045.37", "0", "Loan Amount(Rs):", "Installment Amt(Rs):"};
        QTest::newRow("no sanction amount: nothing worked out")
            << 1 << "L" << 2 << 12
            << QStringList{"0.00", "", "", "1", "Loan Amount(Rs):", "Installment Amt(Rs):"};
        QTest::newRow("advance at 0 %")
            << 1 << "A" << 1 << 20
            << QStringList{
                   "8000", "4", "2000.00", "1", "Advance Amount(Rs):", "Installment Amt(Rs):"};
        QTest::newRow("declining balance, symbol trimmed")
            << 2 << "L" << 1 << 30
            << QStringList{"12000", "12", "1037.92", "1", "Loan Amount($):", "Installment Amt($):"};
    }
    void choosingAnApplication()
    {
        QFETCH(int, company);
        QFETCH(QString, type);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QStringList, shown);
        useRegister(openPayroll(), qint16(company), type);
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(employee, application);
        QCOMPARE(entry.cboLoanType->currentIndex(), 0);
        QCOMPARE((QStringList{entry.txtLoanAmount->text(), entry.txtNoOfPayments->text(),
                              entry.txtInstallmentAmount->text(),
                              QString::number(entry.chkDeductMonthly->isChecked()),
                              entry.lblloanAmt->text(), entry.lblInstAmt->text()}),
                 shown);
        QCOMPARE(messages.prompts(), QStringList());
    }

    void recalculationThatCannotWork_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("payments");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QString>("reason");
        QTest::newRow("statement fails") << 1 << 1 << 10 << ""
                                         << "" << 1 << "the database reported";
        QTest::newRow("company without settings") << 1 << 1 << 10 << "delete from psettings"
                                                  << "" << 0 << "interest method is not recorded";
        QTest::newRow("interest method NULL")
            << 1 << 1 << 10 << "update psettings set FlatLoanInterest = NULL"
            << "" << 0 << "interest method is not recorded";
        QTest::newRow("loan type without a rate") << 1 << 2 << 15 << ""
                                                  << "" << 0 << "no interest rate";
        QTest::newRow("more payments than months counted")
            << 2 << 1 << 30 << ""
            << "40000" << 0 << "at most 32768 monthly payments";
    }
    void recalculationThatCannotWork()
    {
        QFETCH(int, company);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QString, setup);
        QFETCH(QString, payments);
        QFETCH(int, failAt);
        QFETCH(QString, reason);
        useRegister(openPayroll(), qint16(company), QStringLiteral("L"));
        if (!setup.isEmpty())
            run(setup);
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(employee, application);
        messages.clear();
        entry.txtInstallmentAmount->setText(QStringLiteral("123.45"));
        if (!payments.isEmpty())
            entry.txtNoOfPayments->setText(payments);
        BasLoan::adocon().failStatementAt(failAt);
        entry.txtNoOfPayments_LostFocus();
        BasLoan::adocon().failStatementAt(0);
        QCOMPARE(entry.txtInstallmentAmount->text(), QStringLiteral("123.45"));
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().flags, 64);
        QVERIFY2(messages.shown().first().prompt.contains(reason),
                 qPrintable(messages.prompts().join(u'|')));
    }

    void numberBoxesSelectFilterAndMoveOn()
    {
        useRegister(openPayroll(), 1, QStringLiteral("L"));
        frmLoan& entry = newEntry(1, 10);
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        entry.txtNoOfPayments->setEnabled(true);
        entry.txtNoOfPayments->setFocus();
        QTRY_COMPARE(entry.txtNoOfPayments->selectedText(), QStringLiteral("12"));
        QTest::keyClicks(entry.txtNoOfPayments, QStringLiteral("2x4."));
        QCOMPARE(entry.txtNoOfPayments->text(), QStringLiteral("24"));
        QTest::keyClick(entry.txtNoOfPayments, Qt::Key_Return);
        QTRY_VERIFY(entry.txtRemarks->hasFocus());
        QCOMPARE(entry.txtInstallmentAmount->text(), QStringLiteral("559.29"));
    }
};

int runInstalmentTests(int argc, char** argv)
{
    InstalmentTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "InstalmentTest.moc"
