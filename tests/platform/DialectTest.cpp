#include "db/Connection.h"
#include "runtime/RuntimeError.h"

#include <QDateTime>
#include <QTest>

// Statements written for SQL Server on the embedded engine: what it is sent, and how its
// functions, conversion, text comparison and LIKE behave.
class DialectTest : public QObject
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
        m_db.Execute(QStringLiteral("create table pLoansIssue (liID integer, liNo varchar(20), "
                                    "lidate DATE, liRemarks varchar(250))"));
        m_db.Execute(QStringLiteral("create table names (name varchar(30) collate SQLSERVER_CI "
                                    "unique)"));
        m_db.Execute(QStringLiteral("insert into names values ('L'), ('pemployee'), "
                                    "('ploanrepaymentdetails'), ('Ärger'), ('b'), ('LN10')"));
        m_db.Execute(QStringLiteral("insert into pLoansIssue (liID, lidate) values (1, "
                                    "'2026-11-19'), (2, '2026-11-20'), (3, '2026-12-01')"));
    }

    void adapt_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number glued to a keyword")
            << "select * from pLoansIssue where licompanyid=1and liID = 5 "
            << "select * from pLoansIssue where licompanyid=1 and liID = 5 ";
        QTest::newRow("exponent-like word after a number") << "select 1end"
                                                           << "select 1 end";
        QTest::newRow("convert with blanks and a sized type")
            << "select convert( varchar(10) , liID) from t"
            << "select sqlserver_convert( 'varchar(10)', liID) from t";
        QTest::newRow("left join untouched") << "select * from a left join b on a.x = b.x"
                                             << "select * from a left join b on a.x = b.x";
        QTest::newRow("literal untouched") << "select 'isnull(len(x)) 1and' from t"
                                           << "select 'isnull(len(x)) 1and' from t";
        QTest::newRow("quote inside a literal") << "select 'it''s 5and' from t where x=1and y=2"
                                                << "select 'it''s 5and' from t where x=1 and "
                                                   "y=2";
        QTest::newRow("comments untouched") << "select 1 -- isnull(1and)\n/* len(x) */"
                                            << "select 1 -- isnull(1and)\n/* len(x) */";
        QTest::newRow("bracketed name") << "select [len], [order] from [pLoansIssue]"
                                        << "select [len], [order] from [pLoansIssue]";
        QTest::newRow("table hints dropped")
            << "select max(liID) from pLoansIssue with (updlock, holdlock) where liID > 0"
            << "select max(liID) from pLoansIssue  where liID > 0";
        QTest::newRow("common table expression kept") << "with x as (select 1) select * from x"
                                                      << "with x as (select 1) select * from x";
        QTest::newRow("date on the right of a qualified column")
            << "where '20030213' <= a.LIDATE"
            << "where '2003-02-13' <= a.LIDATE";
        QTest::newRow("bracketed date column") << "where [lidate] <> '20030213'"
                                               << "where [lidate] <> '2003-02-13'";
        QTest::newRow("date assigned month first")
            << "update t set lidate = '2/13/2003', liNo='20030213'"
            << "update t set lidate = '2003-02-13', liNo='20030213'";
        QTest::newRow("date inserted")
            << "insert into pLoansIssue (liNo, lidate) values ('20030213', '20030213'), ('x', "
               "'2003-02-14 10:30:00')"
            << "insert into pLoansIssue (liNo, lidate) values ('20030213', '2003-02-13'), ('x', "
               "'2003-02-14')";
        QTest::newRow("unicode literal") << "where liNo = N'LN1' and n = 'x'"
                                         << "where liNo = 'LN1' and n = 'x'";
        QTest::newRow("text column keeps digits") << "where liNo = '20030213'"
                                                  << "where liNo = '20030213'";
        QTest::newRow("date time literal") << "where lidate < '2003-02-13T08:00:00'"
                                           << "where lidate < '2003-02-13'";
        QTest::newRow("additions by precedence")
            << "select a + b * c / d - e + f % 2 from t where x = -1 + y"
            << "select sqlserver_add(sqlserver_add(a, sqlserver_divide(b * c, d)) - e, "
               "sqlserver_modulo(f, 2)) from t where x = sqlserver_add(-1, y)";
        QTest::newRow("addition of calls and cases")
            << "set x += 1, y = len(a) + (case when b then 1 end) + t.c"
            << "set x += 1, y = sqlserver_add(sqlserver_add(sqlserver_len(a), (case when b then 1 "
               "end)), t.c)";
    }
    void adapt()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(m_db.adapt(sql), expected);
    }

    void dateColumnsOfTablesCreatedLater()
    {
        const QString sql = QStringLiteral("select 1 from pLater where laterDate = '20030213'");
        QCOMPARE(m_db.adapt(sql), sql);
        m_db.Execute(QStringLiteral("create table pLater (laterDate date)"));
        QCOMPARE(m_db.adapt(sql),
                 QStringLiteral("select 1 from pLater where laterDate = '2003-02-13'"));
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
        QTest::newRow("convert text to varchar")
            << "convert(varchar(3), 'abcdef')" << QVariant("abc") << none;
        QTest::newRow("past smallint")
            << "convert(smallint, -32769)" << QVariant()
            << "Arithmetic overflow error converting expression to data type smallint.";
        QTest::newRow("tinyint's lowest") << "convert(tinyint, 0)" << QVariant(0) << none;
        QTest::newRow("past tinyint")
            << "convert(tinyint, 256)" << QVariant()
            << "Arithmetic overflow error converting expression to data type tinyint.";
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
        QTest::newRow("substring past the end")
            << "substring('abcdef', 4, 10)" << QVariant("def") << none;
        QTest::newRow("ltrim") << "ltrim('  a ')" << QVariant("a ") << none;
        QTest::newRow("rtrim") << "rtrim(' a  ')" << QVariant(" a") << none;
        QTest::newRow("isnull") << "isnull(null, 5)" << QVariant(5) << none;
        // Texts meeting a date column are read as SQL Server reads them under us_english.
        const auto dated = [](const char* condition) {
            return QStringLiteral("(select count(*) from pLoansIssue where %1)").arg(condition);
        };
        const QString noDate = QStringLiteral("Conversion failed when converting date and/or "
                                              "time from character string.");
        QTest::newRow("month first") << dated("lidate >= '11/20/2026'") << QVariant(2) << none;
        QTest::newRow("compact") << dated("lidate = '20261120'") << QVariant(1) << none;
        QTest::newRow("two-digit year and dashes")
            << dated("lidate = '11-20-26'") << QVariant(1) << none;
        QTest::newRow("not between")
            << dated("lidate not between '11/1/2026' and ' 11/30/26 '") << QVariant(1) << none;
        QTest::newRow("between reads its first text too")
            << dated("lidate between 'soon' and '12/31/2026'") << QVariant() << noDate;
        QTest::newRow("in a list")
            << dated("lidate in ('12/1/2026', '20261119')") << QVariant(2) << none;
        QTest::newRow("day first") << dated("lidate = '20/11/2026'") << QVariant() << noDate;
        QTest::newRow("no such hour")
            << dated("lidate = '2026-11-20 25:00'") << QVariant() << noDate;
        QTest::newRow("words") << dated("lidate < 'soon'") << QVariant() << noDate;
        QTest::newRow("number") << dated("lidate >= 20261120") << QVariant()
                                << "Operand type clash: int is incompatible with date";
        QTest::newRow("texts join") << "N'LN' + N'5'" << QVariant("LN5") << none;
        QTest::newRow("column joins")
            << "(select name from names where name = 'b') + '_old'" << QVariant("b_old") << none;
        QTest::newRow("numbers add") << "2 + 3 * 2" << QVariant(8) << none;
        QTest::newRow("text meets a whole number") << "' 7' + 1" << QVariant(8) << none;
        QTest::newRow("text meets a decimal") << "'1.5' + 1.25" << QVariant(2.75) << none;
        QTest::newRow("decimal text meets a whole number")
            << "'1.5' + 1" << QVariant() << notInt.arg(QStringLiteral("1.5"));
        QTest::newRow("joined text then a number")
            << "'a' + 'b' + 1" << QVariant() << notInt.arg(QStringLiteral("ab"));
        QTest::newRow("null joins to null") << "'a' + null" << QVariant() << none;
        QTest::newRow("whole numbers divide") << "-7 / 2 + 7 % -2" << QVariant(-2) << none;
        QTest::newRow("text divided") << "'9' / 2.0 % 4" << QVariant(0.5) << none;
        QTest::newRow("divided by zero")
            << "1 / 0" << QVariant() << "Divide by zero error encountered.";
        QTest::newRow("int sum overflows")
            << "2147483647 + 1" << QVariant()
            << "Arithmetic overflow error converting expression to data type int.";
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
};

QTEST_GUILESS_MAIN(DialectTest)

#include "DialectTest.moc"
