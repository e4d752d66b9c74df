#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShortDate.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestRuntime : public QObject
{
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("grouping stops the reading") << "1,000" << 1.0;
        QTest::newRow("blanks anywhere skipped") << " 1 2.5x" << 12.5;
        QTest::newRow("no leading number") << "abc" << 0.0;
        QTest::newRow("negative") << "-5" << -5.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("letter e without digits") << "12eq" << 12.0;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(vb::Val(text), expected);
    }

    // The one rounding of amounts: once, half away from zero, on the value as written.
    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, double value, const char* pattern,
                            const char* expected) {
            QTest::newRow(name) << value << QString::fromLatin1(pattern)
                                << QString::fromLatin1(expected);
        };
        const char* money = "###,###,##0.00";
        row("x.xx49999 stays down", 1234.5649999, "0.00", "1234.56");
        row("x.xx4 then 6 stays down, once", 1.0046, "0.00", "1.00");
        row("level-payment instalment", 3495.55487, "0.00", "3495.55");
        row("x.xx5 as written goes up", 1.005, "0.00", "1.01");
        row("negative half away from zero", -2.675, "0.00", "-2.68");
        row("negative below half a cent is zero", -0.004, money, "0.00");
        row("carry into a new digit", 9.999, "0.00", "10.00");
        row("no integer digit asked", 0.5, "#.00", ".50");
        row("very large, fifteen digits kept", 123456789012.345, money, "123,456,789,012.35");
        row("beyond fifteen digits", 1e20, money, "100,000,000,000,000,000,000.00");
        row("not a number is no amount", std::nan(""), money, "");
        row("infinity is no amount", -std::numeric_limits<double>::infinity(), "0.00", "");
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(vb::Format(value, pattern), expected);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("half to even down") << QVariant(2.5) << 2 << 0;
        QTest::newRow("half to even up") << QVariant(3.5) << 4 << 0;
        QTest::newRow("numeric text") << QVariant(u" 30 "_s) << 30 << 0;
        QTest::newRow("largest") << QVariant(32767) << 32767 << 0;
        QTest::newRow("overflow") << QVariant(32768) << 0 << int(RuntimeError::Overflow);
        QTest::newRow("text") << QVariant(u"abc"_s) << 0 << int(RuntimeError::TypeMismatch);
        QTest::newRow("null") << QVariant() << 0 << int(RuntimeError::InvalidUseOfNull);
    }
    void wholeNumbers()
    {
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        QFETCH(int, error);
        try {
            QCOMPARE(int(vb::CInt(value)), expected);
            QCOMPARE(error, 0);
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), error);
        }
    }

    void plainText()
    {
        QCOMPARE(vb::CStr(QVariant(5000.0)), u"5000"_s);
        QCOMPARE(vb::CStr(QVariant(1055.63)), u"1055.63"_s);
        QCOMPARE(vb::CStr(QVariant(0.1 + 0.2)), u"0.3"_s);
        QCOMPARE(vb::TextOf(QVariant()), QString());
        // A box shows every figure written out, whatever its size.
        QCOMPARE((QStringList{vb::NumberToFullText(1e15), vb::NumberToFullText(-1.5e-5),
                              vb::NumberToFullText(999999999999.99), vb::NumberToFullText(1e23),
                              vb::NumberToFullText(0.1 + 0.2)}),
                 (QStringList{"1000000000000000", "-0.000015", "999999999999.99",
                              "100000000000000000000000", "0.3"}));
    }

    // The date box's text must read back as the date it was made from, whatever the locale.
    void shortDateRoundTrip_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::newRow("US two-digit year") << "en_US" << QDate(2026, 12, 6);
        QTest::newRow("US last century") << "en_US" << QDate(1960, 1, 31);
        QTest::newRow("UK") << "en_GB" << QDate(2003, 3, 15);
        QTest::newRow("ISO-like") << "sv_SE" << QDate(2003, 2, 13);
    }
    void shortDateRoundTrip()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        const QString text = ShortDate::format(date);
        const QDate back = ShortDate::parse(text, QDate(2026, 12, 6));
        QLocale::setDefault(saved);
        QCOMPARE(back, date);
    }
};

QTEST_GUILESS_MAIN(TestRuntime)
#include "test_runtime.moc"
