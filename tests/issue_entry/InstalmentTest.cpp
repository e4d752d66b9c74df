#include "EntryTest.h"

#include "ScriptedPresenter.h"
#include "issue_entry/frmLoan.h"
#include "runtime/Conversions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace EntryFixture;
using namespace Qt::StringLiterals;

namespace {

// Every caption shows whole, on one line, and ends a gap before its field.
void checkCaptionsWhole(const frmLoan& e)
{
    const auto controls = e.fraloan->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QLabel* label : e.fraloan->findChildren<QLabel*>()) {
        const int textEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text());
        const bool apart = std::none_of(controls.begin(), controls.end(), [&](const QWidget* w) {
            return w != label && w->geometry().intersects(label->geometry());
        });
        QVERIFY2(!label->wordWrap() && label->x() >= 0 &&
                     textEnd + 4 <= label->x() + label->width() && apart,
                 qPrintable(label->text()));
    }
}

} // namespace

class InstalmentTest : public EntryTest
{
    Q_OBJECT

private slots:
    // The payments typed are left by focus; a figure that cannot be worked out keeps the one shown
    // and says why.
    void instalmentShown_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("employee");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("payments"); // typed after choosing, if any
        // amount, payments, instalment, deduct monthly, the two labels
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("message");
        const QString loan = u"Loan Amount(Rs):"_s;
        const QString inst = u"Installment Amt(Rs):"_s;
        const QStringList dollars{u"Loan Amount($):"_s, u"Installment Amt($):"_s};
        QTest::newRow("level payment replaces the application's instalment")
            << 1 << "L" << 1 << 10 << QString() << QString()
            << QStringList{"12000", "12", "1055.63", "1", loan, inst} << QString();
        QTest::newRow("one payment typed: the whole amount")
            << 1 << "L" << 1 << 10 << QString() << u"1"_s
            << QStringList{"12000", "1", "12000.00", "1", loan, inst} << QString();
        QTest::newRow("an amount below one")
            << 1 << "L" << 1 << 10 << "update ploanapplication set laSanctionAmount = 0.6"
            << QString() << QStringList{"0.6", "12", "0.05", "1", loan, inst} << QString();
        QTest::newRow("deduct monthly Null unticks")
            << 1 << "L" << 1 << 11 << QString() << QString()
            << QStringList{"10000", "10", "1045.37", "0", loan, inst} << QString();
        QTest::newRow("no sanction amount: nothing worked out; deduct monthly 0 unticks")
            << 1 << "L" << 2 << 12 << QString() << QString()
            << QStringList{"0.00", "", "", "0", loan, inst} << QString();
        QTest::newRow("advance at 0 %, deduct monthly 0")
            << 1 << "A" << 1 << 20 << QString() << "24"
            << QStringList{"8000", "24", "333.33", "0", "Advance Amount(Rs):", inst} << QString();
        QTest::newRow("declining balance, symbol trimmed")
            << 2 << "L" << 1 << 30 << QString() << QString()
            << QStringList{"12000", "12", "1037.92", "1"} + dollars << QString();
        QTest::newRow("interest method NULL")
            << 1 << "L" << 1 << 10 << "update psettings set FlatLoanInterest = NULL" << QString()
            << QStringList{"12000", "12", "1000", "1", loan, inst}
            << "interest method is not recorded";
        QTest::newRow("loan type without a rate")
            << 1 << "L" << 2 << 15 << QString() << QString()
            << QStringList{"6000", "12", "550", "1", loan, inst} << "no interest rate";
        QTest::newRow("more payments than months counted")
            << 2 << "L" << 1 << 30 << QString() << u"40000"_s
            << QStringList{"12000", "40000", "1037.92", "1"} + dollars
            << "at most 32768 monthly payments";
    }
    void instalmentShown()
    {
        QFETCH(int, company);
        QFETCH(QString, type);
        QFETCH(int, employee);
        QFETCH(int, application);
        QFETCH(QString, setup);
        QFETCH(QString, payments);
        QFETCH(QStringList, shown);
        QFETCH(QString, message);
        openRegister(qint16(company), type);
        if (!setup.isEmpty())
            run(setup);
        msgbox::ScriptedPresenter messages;
        frmLoan& entry = newEntry(employee, application);
        if (!payments.isEmpty()) {
            entry.txtNoOfPayments->setText(payments);
            entry.txtNoOfPayments_LostFocus();
        }
        QCOMPARE(entry.cboLoanType->currentIndex(), 0);
        QCOMPARE((QStringList{entry.txtLoanAmount->text(), entry.txtNoOfPayments->text(),
                              entry.txtInstallmentAmount->text(),
                              QString::number(entry.chkDeductMonthly->isChecked()),
                              entry.lblloanAmt->text(), entry.lblInstAmt->text()}),
                 shown);
        QCOMPARE(messages.shown().size(), int(!message.isEmpty()));
        QVERIFY2(messages.prompts().value(0).contains(message),
                 qPrintable(messages.prompts().join(u'|')));
        checkCaptionsWhole(entry);
    }
};

QTEST_MAIN(InstalmentTest)

#include "InstalmentTest.moc"
