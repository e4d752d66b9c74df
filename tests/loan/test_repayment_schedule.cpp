#include "InstalmentFormula.h"
#include "RepaymentSchedule.h"
#include "runtime/Conversions.h"

#include <QTest>

#include <cmath>

using loan::RepaymentSchedule;
using Kind = loan::StoredFigures::Kind;

namespace {

double level(double amount, int payments, double rate)
{
    return InstalmentFormula::levelPayment(amount, payments, rate);
}

double declining(double amount, int payments, double rate)
{
    return InstalmentFormula::decliningBalance(amount, payments, rate);
}

} // namespace

// The schedule of a stored issue, every line checked against the rule from its own figures.
class TestRepaymentSchedule : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("payments");
        QTest::addColumn<double>("instalment"); // as stored: rounded to the cent by the schedule
        QTest::addColumn<Kind>("kind");
        // Implied, as stated; empty where none is, * for one beyond a double's digits.
        QTest::addColumn<QString>("yearlyRate");

        const auto row = [](const char* name, double amount, int payments, double instalment,
                            Kind kind, const char* rate = "") {
            QTest::newRow(name) << amount << payments << instalment << kind
                                << QString::fromLatin1(rate);
        };
        row("level 12 %, 12 months", 12000, 12, 1055.63, Kind::Interest, "12.0002");
        row("declining 10 %, 3 months: twice the rate", 10000, 3, 3388.89, Kind::Interest,
            "20.1128");
        row("long loan's last line stays one month's interest", 10000, 360, 196.24, Kind::Interest,
            "24.0005");
        row("500,000.00 over 360: 5.5814 % stated, not 5.58", 500000, 360, 2851.27, Kind::Interest,
            "5.5814");
        row("level 36 %, ten million over 360", 10000000, 360, level(10000000, 360, 36),
            Kind::Interest, "36.0000");
        row("declining 6 %, 24 months", 250000, 24, declining(250000, 24, 6), Kind::Interest,
            "6.4142");
        row("level 0.5 %, 100.00 over 6", 100, 6, level(100, 6, 0.5), Kind::Interest, "0.3840");
        row("a cent over the share: a tiny rate", 1000, 3, 333.34, Kind::Interest, "0.0240");
        row("largest amount, 12 months", 9999999999.99, 12, level(9999999999.99, 12, 12),
            Kind::Interest, "12.0000");
        row("a cent owed after the first payment: a rate beyond any loan's", 100000000000, 2,
            99999999999.99, Kind::Interest, "*");
        row("one payment above the amount: interest, no rate", 1000, 1, 1005.83, Kind::Interest);
        row("0 % rounded up", 2000, 3, 666.67, Kind::InterestFree);
        row("0 % rounded down", 5000, 6, 833.33, Kind::InterestFree);
        row("0 % over 360: rounding where it arises", 100, 360, 0.28, Kind::InterestFree);
        row("0 %, half a cent rounded away from zero", 100.01, 2, 50.01, Kind::InterestFree);
        row("one payment a cent over", 500, 1, 500.01, Kind::InterestFree);
        row("one payment a cent short", 500, 1, 499.99, Kind::InterestFree);
        row("instalment alone repays", 1000, 3, 1000, Kind::ImpliesNoRate);
        row("payments fall short", 1000, 3, 300, Kind::ImpliesNoRate);
        row("one payment short", 500, 1, 400, Kind::ImpliesNoRate);
    }
    void lines()
    {
        QFETCH(double, amount);
        QFETCH(int, payments);
        QFETCH(double, instalment);
        QFETCH(Kind, kind);
        QFETCH(QString, yearlyRate);

        const auto schedule =
            RepaymentSchedule::build(amount, payments, instalment, QDate(2024, 3, 15));
        QCOMPARE(schedule.kind(), kind);
        const QString stated = schedule.monthlyRate() > 0
                                   ? vb::Format(schedule.monthlyRate() * 1200, u"0.0000")
                                   : QString();
        if (yearlyRate != u"*")
            QCOMPARE(stated, yearlyRate);
        const auto& lines = schedule.lines();
        QCOMPARE(lines.size(), payments);
        const qint64 owed = loan::StoredFigures::toCents(amount);
        const qint64 due = loan::StoredFigures::toCents(instalment);
        const double rate = schedule.monthlyRate();
        qint64 opening = owed;
        qint64 principalPaid = 0;
        qint64 paid = 0;
        for (const auto& line : lines) {
            QCOMPARE(line.instalment, due);
            QCOMPARE(line.month, QDate(2024, 3, 1).addMonths(line.number - 1));
            paid += line.instalment;
            principalPaid += line.principal;
            if (kind == Kind::ImpliesNoRate) {
                // Only the instalments and what remains of them.
                QCOMPARE(QList<qint64>({line.interest, line.principal, line.rounding}),
                         QList<qint64>({0, 0, 0}));
                QCOMPARE(line.balance, due * (payments - line.number));
                continue;
            }
            QCOMPARE(line.interest + line.principal + line.rounding, due);
            QCOMPARE(line.principal, opening - line.balance);
            QVERIFY(line.principal >= 0);
            if (kind == Kind::Interest) {
                QCOMPARE(line.rounding, 0);
                QVERIFY(line.interest >= 0);
                if (line.number == 1 && payments > 1)
                    QCOMPARE(line.interest, 0);
                else if (payments > 1)
                    QVERIFY2(std::abs(line.interest - std::llround(double(opening) * rate)) <= 1,
                             qPrintable(QString::number(line.number)));
            } else {
                // The balance is the share of the amount still owed, rounded once.
                QCOMPARE(line.interest, 0);
                QVERIFY(std::abs(line.rounding) <= 1);
                QVERIFY(std::abs(2 * payments * line.balance -
                                 2 * owed * (payments - line.number)) <= payments);
            }
            opening = line.balance;
        }
        QCOMPARE(paid, payments * due);
        if (kind != Kind::ImpliesNoRate) {
            QCOMPARE(opening, 0);
            QCOMPARE(principalPaid, owed);
        }
    }

    void nothingToRepay()
    {
        const QDate month(2024, 1, 1);
        QVERIFY(RepaymentSchedule::build(1000, 0, 100, month).lines().isEmpty());
        QVERIFY(RepaymentSchedule::build(0.004, 12, 100, month).lines().isEmpty());
        QVERIFY(RepaymentSchedule::build(1000, 12, std::nan(""), month).lines().isEmpty());
        QCOMPARE(loan::StoredFigures::classify(100000, 0, 100), Kind::ImpliesNoRate);
    }
};

QTEST_APPLESS_MAIN(TestRepaymentSchedule)
#include "test_repayment_schedule.moc"
