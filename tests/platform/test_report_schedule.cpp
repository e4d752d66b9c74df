#include "platform/report/RepaymentSchedule.h"

#include <QTest>

using rpt::InterestMethod;
using rpt::RepaymentSchedule;

Q_DECLARE_METATYPE(InterestMethod)

// A line as instalment, interest, principal and balance, in cents.
using Cents = QList<qint64>;

class TestReportSchedule : public QObject
{
    Q_OBJECT

    static Cents cents(const RepaymentSchedule::Line& line)
    {
        return {line.instalment, line.interest, line.principal, line.balance};
    }

private slots:
    void lines_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("payments");
        QTest::addColumn<double>("rate");
        QTest::addColumn<InterestMethod>("method");
        QTest::addColumn<Cents>("first");
        QTest::addColumn<Cents>("second");
        QTest::addColumn<Cents>("last");
        QTest::addColumn<qint64>("totalInstalments");
        QTest::addColumn<qint64>("totalInterest");

        // First payment at the start: no interest yet. Then 1 % a month on 10,944.37.
        QTest::newRow("level payment, 12,000 at 12 % over 12")
            << 12000.0 << 12 << 12.0 << InterestMethod::LevelPayment
            << Cents{105563, 0, 105563, 1094437} << Cents{105563, 10944, 94619, 999818}
            << Cents{105561, 1045, 104516, 0} << qint64(1266754) << qint64(66754);
        // Interest of the three months on 10,000, 6,666.67 and 3,333.33 at 10/1200: 166.67.
        QTest::newRow("declining balance, 10,000 at 10 % over 3")
            << 10000.0 << 3 << 10.0 << InterestMethod::DecliningBalance
            << Cents{338889, 5556, 333333, 666667} << Cents{338889, 5556, 333333, 333334}
            << Cents{338889, 5555, 333334, 0} << qint64(1016667) << qint64(16667);
        QTest::newRow("declining balance, 12,000 at 12 % over 12")
            << 12000.0 << 12 << 12.0 << InterestMethod::DecliningBalance
            << Cents{106500, 6500, 100000, 1100000} << Cents{106500, 6500, 100000, 1000000}
            << Cents{106500, 6500, 100000, 0} << qint64(1278000) << qint64(78000);
        QTest::newRow("level payment, rate 0")
            << 1000.0 << 3 << 0.0 << InterestMethod::LevelPayment << Cents{33333, 0, 33333, 66667}
            << Cents{33333, 0, 33333, 33334} << Cents{33334, 0, 33334, 0} << qint64(100000)
            << qint64(0);
        QTest::newRow("declining balance, rate 0")
            << 1000.0 << 3 << 0.0 << InterestMethod::DecliningBalance
            << Cents{33333, 0, 33333, 66667} << Cents{33333, 0, 33333, 33334}
            << Cents{33334, 0, 33334, 0} << qint64(100000) << qint64(0);
        QTest::newRow("fewer cents than payments")
            << 0.05 << 12 << 0.0 << InterestMethod::LevelPayment << Cents{0, 0, 0, 5}
            << Cents{0, 0, 0, 5} << Cents{5, 0, 5, 0} << qint64(5) << qint64(0);
    }
    void lines()
    {
        QFETCH(double, amount);
        QFETCH(int, payments);
        QFETCH(double, rate);
        QFETCH(InterestMethod, method);
        QFETCH(Cents, first);
        QFETCH(Cents, second);
        QFETCH(Cents, last);
        QFETCH(qint64, totalInstalments);
        QFETCH(qint64, totalInterest);

        const auto schedule =
            RepaymentSchedule::build(amount, payments, rate, method, QDate(2024, 3, 15));
        const auto& lines = schedule.lines();
        QCOMPARE(lines.size(), payments);
        QCOMPARE(cents(lines[0]), first);
        QCOMPARE(cents(lines[1]), second);
        QCOMPARE(cents(lines.back()), last);
        QCOMPARE(schedule.totalPrincipal(), RepaymentSchedule::toCents(amount));
        QCOMPARE(schedule.totalInstalments(), totalInstalments);
        QCOMPARE(schedule.totalInterest(), totalInterest);
        qint64 owed = RepaymentSchedule::toCents(amount);
        for (const auto& line : lines) {
            QVERIFY(line.interest >= 0 && line.principal >= 0);
            owed -= line.principal;
            QCOMPARE(line.balance, owed);
        }
    }

    void monthsCountFromTheIssueDate()
    {
        const auto schedule = RepaymentSchedule::build(1200, 12, 5, InterestMethod::LevelPayment,
                                                       QDate(2024, 11, 30));
        QCOMPARE(schedule.lines().front().month, QDate(2024, 11, 1));
        QCOMPARE(schedule.lines()[2].month, QDate(2025, 1, 1));
        QCOMPARE(schedule.lines().back().month, QDate(2025, 10, 1));
    }

    void nothingToRepay_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("payments");
        QTest::newRow("no payments") << 1000.0 << 0;
        QTest::newRow("no amount") << 0.0 << 12;
        QTest::newRow("less than a cent") << 0.004 << 12;
    }
    void nothingToRepay()
    {
        QFETCH(double, amount);
        QFETCH(int, payments);
        QVERIFY(RepaymentSchedule::build(amount, payments, 12, InterestMethod::LevelPayment,
                                         QDate(2024, 1, 1))
                    .lines()
                    .isEmpty());
    }

    void instalment_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("payments");
        QTest::addColumn<double>("rate");
        QTest::addColumn<InterestMethod>("method");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("level payment falls due at the start, not 1066.19")
            << 12000.0 << 12.0 << 12.0 << InterestMethod::LevelPayment << qint64(105563);
        QTest::newRow("level payment, rate 0")
            << 12000.0 << 12.0 << 0.0 << InterestMethod::LevelPayment << qint64(100000);
        QTest::newRow("declining balance: months 0 to 11")
            << 12000.0 << 12.0 << 12.0 << InterestMethod::DecliningBalance << qint64(106500);
    }
    void instalment()
    {
        QFETCH(double, amount);
        QFETCH(double, payments);
        QFETCH(double, rate);
        QFETCH(InterestMethod, method);
        QFETCH(qint64, expected);
        QCOMPARE(RepaymentSchedule::toCents(
                     RepaymentSchedule::instalment(amount, payments, rate, method)),
                 expected);
    }
};

QTEST_APPLESS_MAIN(TestReportSchedule)
#include "test_report_schedule.moc"
