#include "NativeStatement.h"
#include "PayrollSchema.h"
#include "db/SqlBatch.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ado::ConnectionPtr openMemory()
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(u":memory:"_s);
    return connection;
}

// What a schema defines, one line each, in lower case: a table's columns with their kind of
// type, its primary key, its unique keys and its named indexes with their columns.
QStringList structureOf(ado::Connection& c)
{
    const QString sql =
        u"select m.name || ':' || group_concat(p.name || ' ' || case substr(upper(p.type), 1, 3) "
        "when 'INT' then 'int' when 'FLO' then 'float' when 'REA' then 'float' when 'DAT' then "
        "'date' else 'text' end) from sqlite_master m, "
        "pragma_table_info(m.name) p group by m.name "
        "union all select m.name || ' key ' || group_concat(p.name) from sqlite_master m, "
        "pragma_table_info(m.name) p where p.pk > 0 group by m.name "
        "union all select m.name || ' ' || iif(i.origin = 'u', 'unique', i.name) || ' ' || "
        "(select group_concat(name) from pragma_index_info(i.name)) from sqlite_master m, "
        "pragma_index_list(m.name) i where i.origin <> 'pk'"_s;
    QStringList lines;
    for (const QVariantList& row : payroll::NativeStatement(c, sql).rows())
        lines << row.value(0).toString().toLower();
    lines.sort();
    return lines;
}

const QString IssueColumns =
    u"INSERT INTO pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, liLoanID, "
    "liLoanAppID) VALUES "_s;

} // namespace

class TestPayrollData : public QObject
{
    Q_OBJECT

private slots:
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
        connection->Execute(u"create table pPrefix (x int)"_s);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, payroll::createSchema(*connection));
        QCOMPARE(connection->database().tables(), QStringList{u"pPrefix"_s});
    }

    // The keys and checks of the issue table, met by a second issue or a change to the first.
    void constraints_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("stored");
        const auto issue = [](const char* values) { return IssueColumns + values; };
        const auto set = [](const QString& assignment) {
            return "UPDATE pLoansIssueData SET " + assignment;
        };
        const QString remark =
            u"'%1:%2 '"_s.arg(QString(50, QLatin1Char('u')), QString(200, QLatin1Char('r')));
        QTest::newRow("same id in the company")
            << issue("(1, 1, 'A', 'ADV1', '2024-03-01', 1, 1, 2)") << false;
        QTest::newRow("same id in another company")
            << issue("(2, 1, 'L', 'LN1', '2024-03-01', 1, 1, 2)") << true;
        QTest::newRow("same number in other case with a blank")
            << issue("(1, 2, 'l', 'ln1 ', '2024-03-01', 1, 1, 2)") << false;
        QTest::newRow("same number of the other type")
            << issue("(1, 2, 'A', 'LN1', '2024-03-01', 1, 1, 2)") << true;
        QTest::newRow("ISO date") << set("lidate = '2024-02-29'") << true;
        QTest::newRow("eight-digit date text") << set("lidate = '20240229'") << false;
        QTest::newRow("no such day") << set("lidate = '2023-02-29'") << false;
        QTest::newRow("flag 2") << set("licancelled = 2") << false;
        // Only what the SQL Server column's type could hold (payments are a float there).
        QTest::newRow("amount as text") << set("liOpeningBalance = 'abc'") << false;
        QTest::newRow("payments with a fraction") << set("liNoofPayments = 12.5") << true;
        QTest::newRow("id beyond int") << set("liempid = 2147483648") << false;
        QTest::newRow("id with a fraction") << set("liLoanID = 1.5") << false;
        QTest::newRow("used unknown") << set("liUsed = NULL") << true;
        QTest::newRow("type other than L and A") << set("litype = 'X'") << false;
        QTest::newRow("longest cancellation remark")
            << set("liCancelledRemarks = " + remark) << true;
        QTest::newRow("remarks beyond 250")
            << set("liRemarks = '" + QString(251, QLatin1Char('x')) + "'") << false;
    }
    void constraints()
    {
        QFETCH(QString, statement);
        QFETCH(bool, stored);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        payroll::NativeStatement(*connection,
                                 IssueColumns + "(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)")
            .run();
        // A second issue goes through the connection, which tells the module's save a broken key
        // by its number; a change is made natively, where no date text is read as SQL Server's.
        const bool secondIssue = statement.startsWith(QLatin1String("INSERT"));
        try {
            if (secondIssue)
                connection->Execute(statement);
            else
                payroll::NativeStatement(*connection, statement).run();
            QVERIFY(stored);
        } catch (const RuntimeError& error) {
            QVERIFY2(!stored, qPrintable(error.description()));
            // Every refusal is a broken key or check, told as such by either road.
            QCOMPARE(error.number(), RuntimeError::IntegrityViolation);
        }
    }
};

QTEST_GUILESS_MAIN(TestPayrollData)
#include "test_payroll_data.moc"
