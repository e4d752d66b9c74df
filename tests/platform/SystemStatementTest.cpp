#include "DbFixture.h"

#include "db/Recordset.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The module's own statements, byte for byte, against a small payroll fixture.
class SystemStatementTest : public QObject
{
    Q_OBJECT

    ado::Connection m_db;

private slots:
    void init()
    {
        m_db.Open(u":memory:"_s);
        DbFixture::createTables(m_db);
    }
    void cleanup() { m_db.Close(); }

    void openApplicationsOfTheEmployee()
    {
        // Issued 1, its issue cancelled 2 (its type in lower case), open 3; the number, type,
        // cancelling and employee filters are the entry window's list of applications.
        m_db.Execute(u"insert into ploanapplication values (1, 'AP1', 1, 'L', 0, 7, "
                     "3), (2, 'AP2', 1, 'l', 0, 7, 3), (3, 'AP3', 1, 'L', 0, 7, 3)"_s);
        DbFixture::addIssue(m_db, 1, u"LN1"_s, u"2003-02-12"_s, 1);
        DbFixture::addIssue(m_db, 2, u"LN2"_s, u"2003-02-12"_s, 2, 1);
        const QString sql =
            u"select a.laLoanAppID, a.laloanappno from ploanapplication a left outer join  "
            "pLoansIssue b on   a.laCompanyID=b.liCompanyID and a.laLoanAppID =b.liLoanAppID   "
            "and  b.licancelled = 0 where  isnull(b.liLoanAppID,0)=0 and a.laloanappno is not "
            "null and  a.lacompanyid =1 and a.laAppType= 'L ' and a.lacancelled=0 and "
            "laEmployeeID = 7 order by 1"_s;
        ado::Recordset rs;
        rs.Open(sql, m_db, ado::CursorType::ForwardOnly, ado::LockType::ReadOnly);
        QStringList numbers;
        for (; !rs.isEOF(); rs.MoveNext())
            numbers << rs.value(1).toString();
        QCOMPARE(numbers, (QStringList{u"AP2"_s, u"AP3"_s}));
    }
};

QTEST_GUILESS_MAIN(SystemStatementTest)

#include "SystemStatementTest.moc"
