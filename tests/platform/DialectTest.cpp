#include "DbTests.h"

#include "platform/db/Connection.h"

#include <QTest>

// What the embedded engine is sent for statements written for SQL Server.
class DialectTest : public QObject
{
    Q_OBJECT

    ado::Connection m_db;

private slots:
    void initTestCase()
    {
        m_db.Open(QStringLiteral(":memory:"));
        m_db.Execute(QStringLiteral("create table pLoansIssue (liID integer, liNo varchar(20), "
                                    "lidate DATE, liRemarks varchar(250))"));
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
        QTest::newRow("isnull") << "select isnull(max(liID),0)+1 from t"
                                << "select ifnull(max(liID),0)+1 from t";
        QTest::newRow("numbering maximum")
            << "SELECT isnull(max(convert(int,right(liNo,len(liNo)-2))),0) FROM t"
            << "SELECT ifnull(max(sqlserver_convert('int',sqlserver_right(liNo,sqlserver_len(liNo)"
               "-2))),0) FROM t";
        QTest::newRow("convert with blanks and a sized type")
            << "select convert( varchar(10) , liID) from t"
            << "select sqlserver_convert( 'varchar(10)', liID) from t";
        QTest::newRow("left and substring") << "select left(a,2), SUBSTRING(a, 2, 3) from t"
                                            << "select sqlserver_left(a,2), sqlserver_substring(a, "
                                               "2, 3) from t";
        QTest::newRow("getdate") << "select getdate()"
                                 << "select sqlserver_getdate()";
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
        QTest::newRow("date compared") << "select 1 from t where liDate >='20030213'"
                                       << "select 1 from t where liDate >='2003-02-13'";
        QTest::newRow("date on the right of a qualified column")
            << "where '20030213' <= a.LIDATE"
            << "where '2003-02-13' <= a.LIDATE";
        QTest::newRow("bracketed date column") << "where [lidate] <> '20030213'"
                                               << "where [lidate] <> '2003-02-13'";
        QTest::newRow("date between") << "where lidate not between '20030101' and '20031231'"
                                      << "where lidate not between '2003-01-01' and "
                                         "'2003-12-31'";
        QTest::newRow("date in a list") << "where lidate in ('20030213', '20030214')"
                                        << "where lidate in ('2003-02-13', '2003-02-14')";
        QTest::newRow("date assigned") << "update t set lidate = '20030213', liNo='20030213'"
                                       << "update t set lidate = '2003-02-13', liNo='20030213'";
        QTest::newRow("date inserted")
            << "insert into pLoansIssue (liNo, lidate) values ('20030213', '20030213'), ('x', "
               "'2003-02-14 10:30:00')"
            << "insert into pLoansIssue (liNo, lidate) values ('20030213', '2003-02-13'), ('x', "
               "'2003-02-14')";
        QTest::newRow("text column keeps digits") << "where liNo = '20030213'"
                                                  << "where liNo = '20030213'";
        QTest::newRow("no such date") << "where lidate = '20031332'"
                                      << "where lidate = '20031332'";
        QTest::newRow("date time literal") << "where lidate < '2003-02-13T08:00:00'"
                                           << "where lidate < '2003-02-13'";
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
};

int runDialectTests(int argc, char** argv)
{
    DialectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialectTest.moc"
