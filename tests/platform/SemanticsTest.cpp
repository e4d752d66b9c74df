#include "DbTests.h"

#include "platform/db/Connection.h"
#include "platform/runtime/RuntimeError.h"

#include <QDateTime>
#include <QTest>

// SQL Server's functions, conversion, text comparison and LIKE on the embedded engine.
class SemanticsTest : public QObject
{
    Q_OBJECT

    ado::Connection m_db;

    int countWhere(const QString& condition)
    {
        return int(
            m_db.ExecuteScalar(QStringLiteral("select count(*) from names where ") + condition)
                .toLongLong());
    }

private slots:
    void initTestCase()
    {
        m_db.Open(QStringLiteral(":memory:"));
        m_db.Execute(QStringLiteral("create table names (name varchar(30) collate SQLSERVER_CI "
                                    "unique)"));
        m_db.Execute(QStringLiteral("insert into names values ('L'), ('pemployee'), "
                                    "('ploanrepaymentdetails'), ('Ärger'), ('b'), ('LN10')"));
    }

    void functions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("error");
        const QString none;
        const QString notInt = QStringLiteral("Conversion failed when converting the varchar "
                                              "value '%1' to data type int.");
        QTest::newRow("convert blanks around") << "convert(int, ' 42 ')" << QVariant(42) << none;
        QTest::newRow("convert empty text") << "convert(int, '')" << QVariant(0) << none;
        QTest::newRow("convert negative") << "convert(int,'-7')" << QVariant(-7) << none;
        QTest::newRow("convert decimal text")
            << "convert(int, '1.5')" << QVariant() << notInt.arg(QStringLiteral("1.5"));
        QTest::newRow("convert letters")
            << "convert(int, 'X1')" << QVariant() << notInt.arg(QStringLiteral("X1"));
        QTest::newRow("convert beyond int") << "convert(int, '3000000000')" << QVariant()
                                            << "The conversion of the varchar value '3000000000' "
                                               "overflowed an int column.";
        QTest::newRow("convert float truncates") << "convert(int, -2.9)" << QVariant(-2) << none;
        QTest::newRow("convert null") << "convert(int, null)" << QVariant() << none;
        QTest::newRow("convert to varchar")
            << "convert(varchar(3), 12345)" << QVariant("123") << none;
        QTest::newRow("len ignores trailing blanks") << "len('ab  ')" << QVariant(2) << none;
        QTest::newRow("len counts leading blanks") << "len(' ab')" << QVariant(3) << none;
        QTest::newRow("len of null") << "len(null)" << QVariant() << none;
        QTest::newRow("right") << "right('LN10', 2)" << QVariant("10") << none;
        QTest::newRow("right beyond the text") << "right('ab', 5)" << QVariant("ab") << none;
        QTest::newRow("right negative") << "right('ab', -1)" << QVariant()
                                        << "Invalid length parameter passed to the right function.";
        QTest::newRow("left") << "left('LN10', 2)" << QVariant("LN") << none;
        QTest::newRow("substring") << "substring('abcdef', 2, 3)" << QVariant("bcd") << none;
        QTest::newRow("substring from zero") << "substring('abc', 0, 2)" << QVariant("a") << none;
        QTest::newRow("ltrim") << "ltrim('  a ')" << QVariant("a ") << none;
        QTest::newRow("rtrim") << "rtrim(' a  ')" << QVariant(" a") << none;
        QTest::newRow("isnull") << "isnull(null, 5)" << QVariant(5) << none;
    }
    void functions()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        QFETCH(QString, error);
        try {
            const QVariant value = m_db.ExecuteScalar(QStringLiteral("select ") + expression);
            QVERIFY2(error.isEmpty(), "expected a failure");
            QCOMPARE(value.isNull(), expected.isNull());
            QCOMPARE(value.toString(), expected.toString());
        } catch (const RuntimeError& e) {
            QCOMPARE(e.description(), error);
            QCOMPARE(e.number(), RuntimeError::DatabaseFailure);
        }
    }

    void getdateIsNow()
    {
        const QDateTime now =
            QDateTime::fromString(m_db.ExecuteScalar(QStringLiteral("select getdate()")).toString(),
                                  QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        QVERIFY(now.isValid());
        QVERIFY(qAbs(now.secsTo(QDateTime::currentDateTime())) < 60);
    }

    void comparison_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("matches");
        QTest::newRow("case and trailing blank") << "name = 'l '" << 1;
        QTest::newRow("in list with blank and case")
            << "name in ('pEmployee', 'ploanrepaymentdetails ')" << 2;
        QTest::newRow("non-ASCII case") << "name = 'äRGER'" << 1;
        QTest::newRow("leading blank matters") << "name = ' L'" << 0;
        QTest::newRow("like ignores case") << "name like 'ln%'" << 1;
        QTest::newRow("like ignores non-ASCII case") << "name like 'ä%'" << 1;
        QTest::newRow("like set") << "name like 'LN[0-9][0-9]'" << 1;
        QTest::newRow("like negated set") << "name like '[^l]%'" << 4;
        QTest::newRow("like one character") << "name like '_'" << 2;
        QTest::newRow("like escape") << "name like 'LN!%' escape '!'" << 0;
        QTest::newRow("not like") << "name not like '%e%'" << 3;
    }
    void comparison()
    {
        QFETCH(QString, condition);
        QFETCH(int, matches);
        QCOMPARE(countWhere(condition), matches);
    }

    void orderingIgnoresCase()
    {
        m_db.Execute(QStringLiteral("create table sorted (s varchar(5) collate SQLSERVER_CI)"));
        m_db.Execute(QStringLiteral("insert into sorted values ('b'), ('C'), ('a'), ('B ')"));
        const QVariant first = m_db.ExecuteScalar(QStringLiteral("select group_concat(s, '|') from "
                                                                 "(select s from sorted order by "
                                                                 "s, rowid)"));
        QCOMPARE(first.toString(), QStringLiteral("a|b|B |C"));
    }

    void uniqueKeyIgnoresCaseAndTrailingBlanks()
    {
        try {
            m_db.Execute(QStringLiteral("insert into names values ('ln10 ')"));
            QFAIL("duplicate stored");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), RuntimeError::IntegrityViolation);
            QVERIFY2(e.description().contains(QStringLiteral("UNIQUE")),
                     qPrintable(e.description()));
        }
    }
};

int runSemanticsTests(int argc, char** argv)
{
    SemanticsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SemanticsTest.moc"
