#include "data/BasLoanVariables.h"
#include "data/DemoData.h"
#include "data/LargeRegister.h"
#include "data/NativeStatement.h"
#include "data/PayrollSchema.h"
#include "data/PayrollTables.h"
#include "data/ResolveTableNames.h"
#include "platform/db/SqlBatch.h"
#include "platform/runtime/RuntimeError.h"

#include <QFile>
#include <QTest>

namespace {

const QDate DemoDate(2024, 3, 15);

ado::ConnectionPtr openMemory()
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(QStringLiteral(":memory:"));
    return connection;
}

qint64 count(ado::Connection& connection, const QString& sql)
{
    return payroll::NativeStatement(connection, sql).scalar().toLongLong();
}

// What a schema defines, one line each, in lower case: a table's columns, its primary key, its
// unique keys and its named indexes with their columns.
QStringList structureOf(ado::Connection& c)
{
    const QString sql = QStringLiteral(
        "select m.name || ':' || group_concat(p.name) from sqlite_master m, "
        "pragma_table_info(m.name) p group by m.name "
        "union all select m.name || ' key ' || group_concat(p.name) from sqlite_master m, "
        "pragma_table_info(m.name) p where p.pk > 0 group by m.name "
        "union all select m.name || ' ' || iif(i.origin = 'u', 'unique', i.name) || ' ' || "
        "(select group_concat(name) from pragma_index_info(i.name)) from sqlite_master m, "
        "pragma_index_list(m.name) i where i.origin <> 'pk'");
    QStringList lines;
    for (const QVariantList& row : payroll::NativeStatement(c, sql).rows())
        lines << row.value(0).toString().toLower();
    lines.sort();
    return lines;
}

const QString IssueColumns = QStringLiteral(
    "INSERT INTO pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, liLoanID, "
    "liLoanAppID) VALUES ");

} // namespace

class TestPayrollData : public QObject
{
    Q_OBJECT

    ado::ConnectionPtr m_demo;

private slots:
    void initTestCase()
    {
        m_demo = openMemory();
        payroll::createDemoDatabase(*m_demo, DemoDate);
    }

    // The script a site administrator runs on SQL Server makes what the embedded schema makes.
    void serverScriptMatchesTheEmbeddedSchema()
    {
        QFile script(QStringLiteral(SQLSERVER_SCHEMA));
        QVERIFY(script.open(QIODevice::ReadOnly));
        auto server = openMemory();
        // Its tables, keys and indexes; the rows it adds take SQL Server's IDENTITY columns.
        for (const QString& statement : ado::splitBatch(QString::fromUtf8(script.readAll()))) {
            if (!statement.contains(QLatin1String("INSERT INTO")))
                server->Execute(statement);
        }
        auto embedded = openMemory();
        payroll::createSchema(*embedded);
        QCOMPARE(structureOf(*server), structureOf(*embedded));
    }

    void schemaFailureLeavesNothing()
    {
        auto connection = openMemory();
        connection->Execute(QStringLiteral("create table pPrefix (x int)"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, payroll::createSchema(*connection));
        QCOMPARE(connection->database().tables(), QStringList{QStringLiteral("pPrefix")});
    }

    void issueKeys_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("stored");
        QTest::newRow("same id in the company")
            << "(1, 1, 'A', 'ADV1', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same id in another company")
            << "(2, 1, 'L', 'LN1', '2024-03-01', 1, 1, 2)" << true;
        QTest::newRow("same number and type")
            << "(1, 2, 'L', 'LN1', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same number in other case with a blank")
            << "(1, 2, 'l', 'ln1 ', '2024-03-01', 1, 1, 2)" << false;
        QTest::newRow("same number of the other type")
            << "(1, 2, 'A', 'LN1', '2024-03-01', 1, 1, 2)" << true;
    }
    void issueKeys()
    {
        QFETCH(QString, second);
        QFETCH(bool, stored);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        connection->Execute(IssueColumns +
                            QStringLiteral("(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)"));
        try {
            connection->Execute(IssueColumns + second);
            QVERIFY(stored);
        } catch (const RuntimeError& error) {
            QVERIFY2(!stored, qPrintable(error.description()));
            QCOMPARE(error.number(), RuntimeError::IntegrityViolation);
        }
    }

    void checks_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<bool>("stored");
        const QString remark =
            QStringLiteral("'%1:%2 '")
                .arg(QString(50, QLatin1Char('u')), QString(200, QLatin1Char('r')));
        QTest::newRow("ISO date") << "lidate = '2024-02-29'" << true;
        QTest::newRow("eight-digit date text") << "lidate = '20240229'" << false;
        QTest::newRow("no such day") << "lidate = '2023-02-29'" << false;
        QTest::newRow("date with a time") << "lidate = '2024-02-29 10:00'" << false;
        QTest::newRow("date as a number") << "lidate = 2460370" << false;
        QTest::newRow("flag 2") << "licancelled = 2" << false;
        QTest::newRow("used unknown") << "liUsed = NULL" << true;
        QTest::newRow("type other than L and A") << "litype = 'X'" << false;
        QTest::newRow("longest cancellation remark") << "liCancelledRemarks = " + remark << true;
        QTest::newRow("remarks beyond 250")
            << "liRemarks = '" + QString(251, QLatin1Char('x')) + "'" << false;
    }
    void checks()
    {
        QFETCH(QString, assignment);
        QFETCH(bool, stored);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        payroll::NativeStatement(*connection,
                                 IssueColumns + "(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)")
            .run();
        payroll::NativeStatement update(*connection, "UPDATE pLoansIssueData SET " + assignment);
        if (stored)
            update.run();
        else
            QVERIFY_THROWS_EXCEPTION(RuntimeError, update.run());
    }

    void demoResolvesThroughLinktable()
    {
        BasLoan::setAdocon(m_demo);
        BasLoan::ResolveTableNames();
        QCOMPARE(BasLoan::strTblLoansIssue, payroll::table::LoansIssue);
        QVERIFY(BasLoan::strTblLoansIssue.compare(QLatin1String("pLoansIssue"),
                                                  Qt::CaseInsensitive) != 0);
        for (const QString* name :
             {&BasLoan::strTblUsers, &BasLoan::strTblEmployee, &BasLoan::strTblLoans,
              &BasLoan::strTblTables, &BasLoan::strTblTableColumns, &BasLoan::strTblUserRights,
              &BasLoan::strTblSettings, &BasLoan::strTblRepayment, &BasLoan::strTblPrefix,
              &BasLoan::strTblLoanApplication, &BasLoan::strTblCurrency})
            QVERIFY2(m_demo->database().tables().contains(*name, Qt::CaseInsensitive),
                     qPrintable(*name));
        BasLoan::resetForNewProcess();
    }

    void largeRegister_data()
    {
        QTest::addColumn<qint16>("company");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("firstNumber");
        QTest::newRow("after the demo's loans") << payroll::demo::HeadOffice << "L"
                                                << "LN13";
        QTest::newRow("after the demo's advances") << payroll::demo::HeadOffice << "A"
                                                   << "ADV6";
        QTest::newRow("a company of its own") << qint16(7) << "L"
                                              << "1";
    }
    void largeRegister()
    {
        QFETCH(qint16, company);
        QFETCH(QString, type);
        QFETCH(QString, firstNumber);
        auto connection = openMemory();
        payroll::createDemoDatabase(*connection, DemoDate);
        const QString ofCompany =
            QStringLiteral(" FROM pLoansIssueData WHERE liCompanyID = %1").arg(company);
        const qint64 before = count(*connection, "SELECT count(*)" + ofCompany);
        const qint64 firstId = count(*connection, "SELECT coalesce(max(liID), 0) + 1" + ofCompany);

        payroll::seedLargeRegister(*connection, company, type, 2000);

        QCOMPARE(count(*connection, "SELECT count(*)" + ofCompany), before + 2000);
        QCOMPARE(payroll::NativeStatement(*connection, "SELECT liNo" + ofCompany + " AND liID = ?")
                     .scalar({firstId})
                     .toString(),
                 firstNumber);
        const qint64 listed = count(
            *connection, QStringLiteral("SELECT count(*) FROM pLoansIssueData, pemployee, pLoans "
                                        "WHERE eCompanyID = liCompanyID AND eEmpID = liempid AND "
                                        "lCompanyID = liCompanyID AND lLoanID = liLoanID AND "
                                        "liCompanyID = %1 AND liID >= %2")
                             .arg(company)
                             .arg(firstId));
        QCOMPARE(listed, qint64(2000));
        const qint64 cancelled = count(
            *connection, "SELECT count(*)" + ofCompany +
                             QStringLiteral(" AND licancelled = 1 AND liID >= %1").arg(firstId));
        QVERIFY2(cancelled > 60 && cancelled < 140, qPrintable(QString::number(cancelled)));
    }
};

QTEST_GUILESS_MAIN(TestPayrollData)
#include "test_payroll_data.moc"
