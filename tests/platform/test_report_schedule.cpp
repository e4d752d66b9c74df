#include "report/RepaymentSchedule.h"

#include <QTest>

#include <cmath>

using rpt::RepaymentSchedule;

// A line as instalment, interest, principal, rounding and balance, in cents.
using Cents = QList<qint64>;

// The schedule of a stored issue, checked line by line against what payroll deducts.
class TestReportSchedule : public QObject
{
    Q_OBJECT

    static Cents cents(const RepaymentSchedule::Line& line)
    {
        return {line.instalment, line.interest, line.principal, line.rounding, line.balance};
    }

private slots:
    void lines_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("payments");
        QTest::addColumn<double>("instalment");
        QTest::addColumn<double>("yearlyRate"); // implied, to two decimals
        QTest::addColumn<Cents>("second");
        QTest::addColumn<Cents>("last");

        // The statement test checks its 12,000 and 10,000 loans and its advance end to end.
        QTest::newRow("instalment rounded down: rounding, not interest")
            << 1000.0 << 3 << 333.33 << 0.0 << Cents{33333, 0, 33333, 0, 33334}
            << Cents{33333, 0, 33334, -1, 0};
        QTest::newRow("one payment")
            << 500.0 << 1 << 500.0 << 0.0 << Cents() << Cents{50000, 0, 50000, 0, 0};
    }
    void lines()
    {
        QFETCH(double, amount);
        QFETCH(int, payments);
        QFETCH(double, instalment);
        QFETCH(double, yearlyRate);
        QFETCH(Cents, second);
        QFETCH(Cents, last);

        const auto schedule =
            RepaymentSchedule::build(amount, payments, instalment, QDate(2024, 3, 15));
        const auto& lines = schedule.lines();
        QCOMPARE(lines.size(), payments);
        QCOMPARE(std::round(schedule.monthlyRate() * 120000) / 100, yearlyRate);
        if (payments > 1)
            QCOMPARE(cents(lines[1]), second);
        QCOMPARE(cents(lines.back()), last);

        // Every line pays the stored instalment; interest runs on what is still owed from the
        // second month; the last line clears the balance.
        const qint64 due = RepaymentSchedule::toCents(instalment);
        qint64 owed = RepaymentSchedule::toCents(amount);
        qint64 paid = 0;
        for (const auto& line : lines) {
            QCOMPARE(line.instalment, due);
            QCOMPARE(line.month, QDate(2024, 3, 1).addMonths(line.number - 1));
            QCOMPARE(line.interest + line.principal + line.rounding, due);
            if (line.number == 1)
                QCOMPARE(line.interest, 0);
            else if (line.number < payments)
                QCOMPARE(line.interest, std::llround(double(owed) * schedule.monthlyRate()));
            owed -= line.principal;
            paid += line.instalment;
            QCOMPARE(line.balance, owed);
        }
        QCOMPARE(owed, 0);
        QCOMPARE(paid, payments * due);
    }

    void nothingToRepay()
    {
        const QDate month(2024, 1, 1);
        QVERIFY(RepaymentSchedule::build(1000, 0, 100, month).lines().isEmpty());
        QVERIFY(RepaymentSchedule::build(0.004, 12, 100, month).lines().isEmpty());
        QVERIFY(RepaymentSchedule::build(1000, 12, std::nan(""), month).lines().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestReportSchedule)
#include "test_report_schedule.moc"
