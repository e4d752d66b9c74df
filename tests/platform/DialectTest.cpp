#include "db/Connection.h"
#include "runtime/RuntimeError.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Statements written for SQL Server on the embedded engine: what it is sent, and how its
// functions, conversion, text comparison and LIKE behave.
class DialectTest : public QObject
{
    Q_OBJECT

    ado::Connection m_db;

    int countWhere(const QString& condition)
    {
        return int(
            m_db.ExecuteScalar(u"select count(*) from names where "_s + condition).toLongLong());
    }

private slots:
    void initTestCase()
    {
        m_db.Open(u":memory:"_s);
        m_db.Execute(u"create table pLoansIssue (liID integer, liNo varchar(20), "
                     "lidate DATE, liRemarks varchar(250))"_s);
        m_db.Execute(u"create table names (name varchar(30) collate SQLSERVER_CI "
                     "unique)"_s);
        m_db.Execute(u"insert into names values ('L'), ('pemployee'), "
                     "('ploanrepaymentdetails'), ('Ärger'), ('b'), ('LN10')"_s);
        m_db.Execute(u"insert into pLoansIssue (liID, lidate) values (1, "
                     "'2026-11-19'), (2, '2026-11-20'), (3, '2026-12-01')"_s);
    }

    void adapt_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* sql, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(sql) << QString::fromUtf8(expected);
        };
        // Statements the engine must receive as written.
        const auto same = [&](const char* name, const char* sql) { row(name, sql, sql); };
        row("number glued to a keyword",
            "select * from pLoansIssue where licompanyid=1and liID = 5 ",
            "select * from pLoansIssue where licompanyid=1 and liID = 5 ");
        row("exponent-like word after a number", "select 1end", "select 1 end");
        row("convert with blanks and a sized type", "select convert( varchar(10) , liID) from t",
            "select sqlserver_convert( 'varchar(10)', liID) from t");
        row("quote inside a literal", "select 'it''s isnull(5and' from t where x=1and y=2",
            "select 'it''s isnull(5and' from t where x=1 and y=2");
        same("comments untouched", "select 1 -- isnull(1and)\n/* len(x) */");
        row("table hints dropped",
            "select max(liID) from pLoansIssue with (updlock, holdlock) where liID > 0",
            "select max(liID) from pLoansIssue  where liID > 0");
        row("date on the right of a qualified column", "where '20030213' <= a.LIDATE",
            "where '2003-02-13' <= a.LIDATE");
        row("bracketed date column", "where [lidate] <> '20030213'",
            "where [lidate] <> '2003-02-13'");
        row("date assigned month first", "update t set lidate = '2/13/2003', liNo='20030213'",
            "update t set lidate = '2003-02-13', liNo='20030213'");
        row("date inserted",
            "insert into pLoansIssue (liNo, lidate) values ('20030213', '20030213'), "
            "('x', '2003-02-14 10:30:00')",
            "insert into pLoansIssue (liNo, lidate) values ('20030213', '2003-02-13'), "
            "('x', '2003-02-14')");
        row("unicode literal", "where liNo = N'LN1' and n = 'x'", "where liNo = 'LN1' and n = 'x'");
        same("text column keeps digits", "where liNo = '20030213'");
        row("date time literal", "where lidate < '2003-02-13T08:00:00'",
            "where lidate < '2003-02-13'");
        row("additions by precedence", "select a + b * c / d - e + f % 2 from t where x = -1 + y",
            "select sqlserver_add(sqlserver_add(a, sqlserver_divide(b * c, d)) - e, "
            "sqlserver_modulo(f, 2)) from t where x = sqlserver_add(-1, y)");
        row("addition of calls and cases",
            "set x += 1, y = len(a) + (case when b then 1 end) + t.c",
            "set x += 1, y = sqlserver_add(sqlserver_add(sqlserver_len(a), (case when b then 1 "
            "end)), t.c)");
    }
    void adapt()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(m_db.adapt(sql), expected);
    }

    // A table created after the connection opened (and after the adapt rows above) has its date
    // columns known at once.
    void dateColumnsOfTablesCreatedLater()
    {
        m_db.Execute(u"create table pLater (laterDate date)"_s);
        QCOMPARE(m_db.adapt(u"where laterDate = '20030213'"_s),
                 u"where laterDate = '2003-02-13'"_s);
    }
    void functions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QString& expression, const QVariant& expected,
                            const QString& error = QString()) {
            QTest::newRow(name) << expression << expected << error;
        };
        const auto fails = [&](const char* name, const QString& expression, const QString& error) {
            row(name, expression, QVariant(), error);
        };
        // Right, isnull, like and convert of an empty text as the numbering uses them are the
        // numbering tests'; the host's --sql meets these functions in its own answers' table.
        const QString notInt = u"Conversion failed when converting the varchar "
                               "value '%1' to data type int."_s;
        const QString overflow =
            u"Arithmetic overflow error converting expression to data type %1."_s;
        row("convert null", u"convert(int, null)"_s, QVariant());
        row("convert text to varchar", u"convert(varchar(3), 'abcdef')"_s, u"abc"_s);
        row("substring past the end", u"substring('abcdef', 4, 10)"_s, u"def"_s);
        row("len ignores trailing blanks", u"len('ab  ')"_s, 2);
        row("len of null", u"len(null)"_s, QVariant());
        fails("right negative", u"right('ab', -1)"_s,
              u"Invalid length parameter passed to the right function."_s);
        // Texts meeting a date column are read as SQL Server reads them under us_english (the
        // register's compact text, of a table created after the connection opened, is its
        // date-window test's).
        const auto dated = [](const char* condition) {
            return u"(select count(*) from pLoansIssue where %1)"_s.arg(condition);
        };
        const QString noDate = u"Conversion failed when converting date and/or "
                               "time from character string."_s;
        row("month first", dated("lidate >= '11/20/2026'"), 2);
        row("in a list", dated("lidate in ('12/1/2026', '20261119')"), 2);
        row("not between", dated("lidate not between '11/1/2026' and ' 11/30/26 '"), 1);
        fails("between reads its first text too", dated("lidate between 'soon' and '12/31/2026'"),
              noDate);
        fails("day first", dated("lidate = '20/11/2026'"), noDate);
        fails("number", dated("lidate >= 20261120"),
              u"Operand type clash: int is incompatible with date"_s);
        row("texts join", u"N'LN' + N'5'"_s, u"LN5"_s);
        row("ordering ignores case",
            u"(select group_concat(name, '|') from (select name from "
            "names where name < 'M' order by name))"_s,
            u"b|L|LN10"_s);
        row("text meets a whole number", u"' 7' + 1"_s, 8);
        row("text meets a decimal", u"'1.5' + 1.25"_s, 2.75);
        fails("decimal text meets a whole number", u"'1.5' + 1"_s, notInt.arg(u"1.5"_s));
        fails("joined text then a number", u"'a' + 'b' + 1"_s, notInt.arg(u"ab"_s));
        row("null joins to null", u"'a' + null"_s, QVariant());
        row("whole numbers divide", u"-7 / 2 + 7 % -2"_s, -2);
        row("text divided", u"'9' / 2.0 % 4"_s, 0.5);
        fails("divided by zero", u"1 / 0"_s, u"Divide by zero error encountered."_s);
        fails("int sum overflows", u"2147483647 + 1"_s, overflow.arg(u"int"_s));
    }
    void functions()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        QFETCH(QString, error);
        try {
            const QVariant value = m_db.ExecuteScalar(u"select "_s + expression);
            QVERIFY2(error.isEmpty(), "expected a failure");
            QCOMPARE(value.isNull(), expected.isNull());
            QCOMPARE(value.toString(), expected.toString());
        } catch (const RuntimeError& e) {
            QCOMPARE(e.description(), error);
            QCOMPARE(e.number(), RuntimeError::DatabaseFailure);
        }
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
        QTest::newRow("like ignores non-ASCII case") << "name like 'ä%'" << 1;
        QTest::newRow("like set") << "name like 'LN[0-9][0-9]'" << 1;
        QTest::newRow("like negated set") << "name like '[^l]%'" << 4;
        QTest::newRow("like one character") << "name like '_'" << 2;
        QTest::newRow("like escape") << "name like 'LN!%' escape '!'" << 0;
    }
    void comparison()
    {
        QFETCH(QString, condition);
        QFETCH(int, matches);
        QCOMPARE(countWhere(condition), matches);
    }
};

QTEST_GUILESS_MAIN(DialectTest)

#include "DialectTest.moc"
