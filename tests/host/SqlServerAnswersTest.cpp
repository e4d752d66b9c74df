// Statements an administrator runs through payroll-host --sql on the embedded database, each with
// the answer SQL Server gives by its documented rules: the embedded database must give that
// answer or refuse the statement by name, never another answer. Answers are written as the host
// prints them, columns joined by '|' and lines by ';'; "!" is a statement SQL Server rejects.
#include "DemoData.h"
#include "PayrollSchemaText.h"
#include "db/Connection.h"
#include "db/tsql/AdminStatements.h"
#include "runtime/RuntimeError.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Answer
{
    const char* rule;
    const char* sql;
    const char* answer;
};

// clang-format off
const Answer answers[] = {
#include "SqlServerAnswers.inc"
};
// clang-format on

const QString refusal = u"not supported on the embedded database: "_s;

QString printed(const ado::StatementResult& result)
{
    if (result.names.isEmpty())
        return u"%1 row(s) affected"_s.arg(result.rowsAffected);
    QStringList lines{result.names.join(u'|')};
    for (const QVariantList& row : result.rows) {
        QStringList fields;
        for (const QVariant& value : row)
            fields << ado::AdminStatements::fieldText(value);
        lines << fields.join(u'|');
    }
    return lines.join(u';');
}

} // namespace

class SqlServerAnswersTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_demo;
    ado::Connection m_connection;
    std::unique_ptr<ado::AdminStatements> m_statements;
    int m_refused = 0;
    int m_answered = 0;

private slots:
    void initTestCase()
    {
        m_demo = m_dir.filePath(u"demo.db"_s);
        {
            ado::Connection seeding;
            seeding.Open(m_demo);
            payroll::createDemoDatabase(seeding, QDate(2024, 3, 15));
        }
        m_connection.Open(m_demo);
        m_statements = std::make_unique<ado::AdminStatements>(
            m_connection, QString::fromUtf8(payroll::sqlServerSchemaText));
    }

    // Every statement through the host's own road to the engine, each undone after.
    void sqlServersAnswerOrRefusal_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("answer");
        for (const Answer& a : answers)
            QTest::newRow(a.rule) << QString::fromUtf8(a.sql) << QString::fromUtf8(a.answer);
    }
    void sqlServersAnswerOrRefusal()
    {
        QFETCH(QString, sql);
        QFETCH(QString, answer);
        QString got;
        bool failed = false;
        m_connection.BeginTrans();
        try {
            got = printed(m_statements->run(sql));
        } catch (const RuntimeError& error) {
            failed = true;
            got = error.description();
        }
        m_connection.RollbackTrans();
        if (failed && got.startsWith(refusal)) {
            ++m_refused;
            return;
        }
        ++m_answered;
        if (answer == u"!")
            QVERIFY2(failed, qPrintable(u"SQL Server rejects it; here: "_s + got));
        else
            QCOMPARE(got, answer);
    }

    // A sample of the queries through payroll-host itself, printing included.
    void throughTheHost_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("answer");
        int i = 0;
        for (const Answer& a : answers) {
            if (i++ % 20 == 0 && QByteArray(a.sql).startsWith("select"))
                QTest::newRow(a.rule) << QString::fromUtf8(a.sql) << QString::fromUtf8(a.answer);
        }
    }
    void throughTheHost()
    {
        QFETCH(QString, sql);
        QFETCH(QString, answer);
        QProcess host;
        host.start(QStringLiteral(PAYROLL_HOST), {u"--db"_s, m_demo, u"--sql"_s, sql});
        QVERIFY(host.waitForFinished(60000));
        const QString err = QString::fromUtf8(host.readAllStandardError());
        if (host.exitCode() == 1 && (err.contains(refusal) || answer == u"!"))
            return;
        QCOMPARE(host.exitCode(), 0);
        QString out = QString::fromUtf8(host.readAllStandardOutput());
        out.chop(1);
        QCOMPARE(out.replace(u'\t', u'|').replace(u'\n', u';'), answer);
    }

    void cleanupTestCase()
    {
        qInfo("%d statements answered as SQL Server answers them, %d refused", m_answered,
              m_refused);
        // A front end that refused everything would pass the table; most must be answered.
        if (m_answered + m_refused == int(std::size(answers)))
            QVERIFY(m_answered >= 3 * m_refused);
    }
};

QTEST_MAIN(SqlServerAnswersTest)
#include "SqlServerAnswersTest.moc"
