#include "PayrollSchema.h"
#include "db/PreparedStatement.h"
#include "db/SqlBatch.h"
#include "issue_entry/RunningNumberSeek.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QTest>

#include <functional>
#include <limits>

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
    for (const QVariantList& row : ado::PreparedStatement(c, sql).rows())
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
        // The numbering's key is computed columns there, an index on expressions here: both
        // must be the very expressions the numbering statement sends.
        QStringList numberKey;
        for (const QString& statement : ado::splitBatch(QString::fromUtf8(script.readAll()))) {
            if (statement.contains(QLatin1String("liNoHead")))
                numberKey << statement;
            else if (!statement.contains(QLatin1String("INSERT INTO")))
                server->Execute(statement);
        }
        auto embedded = openMemory();
        payroll::createSchema(*embedded);
        const QString embeddedKey =
            embedded
                ->ExecuteScalar(u"select sql from sqlite_master "
                                "where name = 'ix_pLoansIssueData_number'"_s)
                .toString();
        for (const QString& key : {numberKey.join(u' '), embeddedKey})
            QVERIFY(key.count(RunningNumberSeek::headExpression()) == 4 &&
                    key.count(RunningNumberSeek::tailExpression()) == 1);
        QStringList embeddedStructure = structureOf(*embedded);
        embeddedStructure.removeIf([](const QString& line) { return line.contains(u"_number"_s); });
        QCOMPARE(structureOf(*server), embeddedStructure);
    }

    void schemaFailureLeavesNothing()
    {
        auto connection = openMemory();
        connection->Execute(u"create table pPrefix (x int)"_s);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, payroll::createSchema(*connection));
        QCOMPARE(connection->ExecuteScalar(u"select group_concat(name) from sqlite_master"_s),
                 QVariant(u"pPrefix"_s));
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
        ado::PreparedStatement(*connection,
                               IssueColumns + "(1, 1, 'L', 'LN1', '2024-03-01', 1, 1, 1)")
            .run();
        // A second issue goes through the connection, which tells the module's save a broken key
        // by its number; a change is made natively, where no date text is read as SQL Server's.
        const bool secondIssue = statement.startsWith(QLatin1String("INSERT"));
        try {
            if (secondIssue)
                connection->Execute(statement);
            else
                ado::PreparedStatement(*connection, statement).run();
            QVERIFY(stored);
        } catch (const RuntimeError& error) {
            QVERIFY2(!stored, qPrintable(error.description()));
            // Every refusal is a broken key or check, told as such by either road.
            QCOMPARE(error.number(), RuntimeError::IntegrityViolation);
        }
    }
    // The numbering's seek gives what the full read of every issue gives, or fails where it
    // fails, with and without the index; an existing database gets the index once.
    void numberingSeekMatchesTheFullRead_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("numbers"); // of loans; "A:" before an advance's
        QTest::newRow("numeric, any case, leading zeros, advances apart")
            << u"LN"_s << QStringList{u"LN9"_s, u"ln12"_s, u"LN007"_s, u"A:LN40"_s};
        QTest::newRow("none yet, or only the bare prefix") << u"ADV"_s << QStringList{u"ADV"_s};
        QTest::newRow("prefix in small letters") << u"ln"_s << QStringList{u"LN4"_s};
        QTest::newRow("a shorter prefix beside a longer one")
            << u"L"_s << QStringList{u"L3"_s, u"LN5"_s};
        QTest::newRow("a longer prefix beside a shorter one")
            << u"LN"_s << QStringList{u"LN3"_s, u"L5"_s, u"M1"_s, u"LO2"_s};
        QTest::newRow("non-numeric tail") << u"LN"_s << QStringList{u"LN3"_s, u"LN12A"_s};
        QTest::newRow("blanks in the number")
            << u"LN"_s << QStringList{u"LN3"_s, u"LN 12"_s, u"LN4 "_s};
        QTest::newRow("prefix ending in Z") << u"LZ"_s << QStringList{u"LZ3"_s, u"LZA1"_s};
        QTest::newRow("prefix with a blank") << u"LN "_s << QStringList{u"LN 5"_s, u"LN12"_s};
        QTest::newRow("no prefix") << QString() << QStringList{u"7"_s, u"12"_s, u"A:X1"_s};
        QTest::newRow("no prefix, a lettered number") << QString() << QStringList{u"7"_s, u"X1"_s};
        QTest::newRow("beyond 32 bits") << u"LN"_s << QStringList{u"LN3"_s, u"LN99999999999"_s};
    }
    void numberingSeekMatchesTheFullRead()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, numbers);
        auto connection = openMemory();
        payroll::createSchema(*connection);
        for (int id = 1; id <= numbers.size(); ++id) {
            const bool advance = numbers[id - 1].startsWith(u"A:"_s);
            ado::PreparedStatement(*connection,
                                   IssueColumns + "(1, ?, ?, ?, '2024-03-01', 1, 1, 1)")
                .run({id, advance ? u"A"_s : u"L"_s, numbers[id - 1].mid(advance ? 2 : 0)});
        }
        const auto outcome = [](const std::function<double()>& read) {
            try {
                return QString::number(read(), 'f', 0);
            } catch (const RuntimeError&) {
                return u"fails"_s;
            }
        };
        const QString full = outcome([&] {
            return vb::Val(vb::CStr(connection->ExecuteScalar(
                RunningNumberSeek::fullReadStatement(u"pLoansIssueData"_s, 1, u"L"_s, prefix))));
        });
        for (int indexed = 0; indexed < 2; ++indexed) {
            const QString seek = outcome([&] {
                return RunningNumberSeek::highestInUse(*connection, u"pLoansIssueData"_s, 1, u"L"_s,
                                                       prefix);
            });
            // Where the full read overflows, the caller refuses the number beyond 32 bits.
            QCOMPARE(seek.toDouble() > std::numeric_limits<qint32>::max() ? u"fails"_s : seek,
                     full);
            connection->Execute(u"drop index if exists ix_pLoansIssueData_number"_s);
        }
        QCOMPARE(payroll::addMissingIndexes(*connection),
                 QStringList{u"ix_pLoansIssueData_number"_s});
        QCOMPARE(payroll::addMissingIndexes(*connection), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPayrollData)
#include "test_payroll_data.moc"
