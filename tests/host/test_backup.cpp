// payroll-host --backup and --check, run as an office would: killed midway, refused, and on
// files damaged in the ways an office meets. The backup taken while clerks save is one of the
// concurrency proofs.
#include "DemoData.h"
#include "HostRun.h"
#include "LargeRegister.h"
#include "NativeStatement.h"
#include "db/Connection.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

void runNative(const QString& database, const QStringList& statements)
{
    ado::Connection connection;
    connection.Open(database);
    for (const QString& sql : statements)
        payroll::NativeStatement(connection, sql).run();
}

// Gives the issue table's root page a type no b-tree page has.
void damageIssuePage(const QString& file)
{
    ado::Connection connection;
    connection.Open(file);
    const auto scalar = [&](const char* sql) {
        return payroll::NativeStatement(connection, sql).scalar().toLongLong();
    };
    const qint64 root = scalar("SELECT rootpage FROM sqlite_master WHERE name = 'pLoansIssueData'");
    const qint64 pageSize = scalar("PRAGMA page_size");
    connection.Close(); // the last connection folds the journal into the file
    QFile bytes(file);
    QVERIFY(bytes.open(QIODevice::ReadWrite));
    QVERIFY(bytes.seek((root - 1) * pageSize));
    bytes.write("\x7f", 1);
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_demo;  // as the host creates it: write-ahead journal
    QString m_plain; // a backup of it, which needs no journal files beside it
    QString m_notes; // a text file
    QString m_other; // a database without the payroll tables

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Another user must reach the files for the read-only folder case.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadOther |
                                                QFile::ExeOther);
        m_demo = path(QStringLiteral("demo.db"));
        m_plain = path(QStringLiteral("plain.db"));
        m_notes = path(QStringLiteral("notes.db"));
        m_other = path(QStringLiteral("other.db"));
        QFile text(m_notes);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray("payroll notes, not a database\n").repeated(200));
        runNative(m_other, {"CREATE TABLE t (x)"});
        QCOMPARE(payrollHost({"--db", m_demo, "--demo", "--process-date", "2024-03-15"}).exitCode,
                 0);
        const Run backup = payrollHost({"--db", m_demo, "--backup", m_plain});
        QCOMPARE(backup.err, QString());
        QCOMPARE(backup.out, QStringLiteral("Backed up %1 to %2: 23 issues, %3 bytes.\n")
                                 .arg(m_demo, m_plain)
                                 .arg(QFileInfo(m_plain).size()));
        QCOMPARE(fileBytes(m_plain).mid(18, 1),
                 QByteArray("\1")); // the rollback journal, not the write-ahead log
    }

    void killedBackupLeavesTargetAsItWas_data()
    {
        QTest::addColumn<bool>("oldTarget");
        QTest::newRow("over an earlier backup") << true;
        QTest::newRow("to a new name") << false;
    }
    void killedBackupLeavesTargetAsItWas()
    {
        QFETCH(bool, oldTarget);
        const QString large = path(QStringLiteral("large.db"));
        if (!QFile::exists(large)) {
            ado::Connection connection;
            connection.Open(large);
            payroll::createDemoDatabase(connection, QDate(2024, 3, 15));
            payroll::seedLargeRegister(connection, 1, QStringLiteral("L"), 100000);
        }
        QDir folder(path(QStringLiteral("killed")));
        folder.removeRecursively();
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QString target = folder.filePath(QStringLiteral("nightly.db"));
        if (oldTarget)
            QVERIFY(QFile::copy(m_plain, target));
        const QByteArray before = fileBytes(target);

        QProcess backup;
        backup.start(QStringLiteral(PAYROLL_HOST), {"--db", large, "--backup", target});
        QVERIFY(backup.waitForStarted());
        // Killed once the copy is being written.
        const auto copying = [&folder] {
            const QFileInfoList partial = folder.entryInfoList({"nightly.db.*.partial"});
            return !partial.isEmpty() && partial.front().size() > 0;
        };
        while (!copying())
            QVERIFY2(!backup.waitForFinished(1), "the backup ended before it could be killed");
        backup.kill();
        QVERIFY(backup.waitForFinished());
        QCOMPARE(QFile::exists(target), oldTarget);
        QCOMPARE(fileBytes(target), before);
    }

    void backupRefused_data()
    {
        QTest::addColumn<QString>("db");
        QTest::addColumn<QString>("target"); // none: --check
        QTest::addColumn<QStringList>("wrapper");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString target = path(QStringLiteral("refused/b.db"));
        const QString odbc = QStringLiteral("odbc:DSN=payroll");
        const QStringList none;
        QDir(path(QStringLiteral("refused"))).mkpath(QStringLiteral("."));

        QTest::newRow("target folder missing")
            << m_demo << path("nowhere/b.db") << none << 1
            << "The folder " + path("nowhere") + " for the backup does not exist.";
        QTest::newRow("target a folder") << m_demo << path("refused") << none << 1 << "is a folder";
        QTest::newRow("target the database itself")
            << m_demo << path("./demo.db") << none << 1 << "would overwrite the database it copies";
        QTest::newRow("target folder read-only")
            << m_plain << target << asUnprivileged() << 1
            << "Cannot write the backup in " + path("refused") + ": ";
        QTest::newRow("disk full")
            << m_plain << target << QStringList{"bash", "-c", "ulimit -f 16 && exec \"$0\" \"$@\""}
            << 1
            << "The backup does not fit in " + path("refused") +
                   ": the disk is full or a file-size limit was reached";
        QTest::newRow("source missing")
            << path("absent.db") << target << none << 1 << "does not exist";
        QTest::newRow("source not a database")
            << m_notes << target << none << 1
            << "is not a payroll database: file is not a database.";
        QTest::newRow("source without the payroll tables")
            << m_other << target << none << 1
            << "is not a payroll database: it has no pLoansIssueData table.";
        QTest::newRow("backup over ODBC")
            << odbc << target << none << 2 << "--backup works on the embedded database's file only";
        QTest::newRow("check over ODBC") << odbc << QString() << none << 2
                                         << "--check works on the embedded database's file only";
    }
    void backupRefused()
    {
        QFETCH(QString, db);
        QFETCH(QString, target);
        QFETCH(QStringList, wrapper);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const bool readOnly = QTest::currentDataTag() == QLatin1String("target folder read-only");
        if (readOnly && !canRunUnprivileged())
            QSKIP("running as root without runuser or the user nobody to be refused the folder");
        const QString folder = path(QStringLiteral("refused"));
        const QFileDevice::Permissions writable = QFile::permissions(folder);
        if (readOnly)
            QFile::setPermissions(folder, writable & ~(QFile::WriteOwner | QFile::WriteUser));
        const QByteArray demoBefore = fileBytes(m_demo);
        const QStringList action =
            target.isEmpty() ? QStringList{"--check"} : QStringList{"--backup", target};
        const Run run = payrollHost(QStringList{"--db", db} + action, QString(), wrapper);
        QFile::setPermissions(folder, writable);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
        QCOMPARE(fileBytes(m_demo), demoBefore);
    }

    void checkNamesEachFinding_data()
    {
        QTest::addColumn<QString>("source");     // copied to the checked file; none: no file
        QTest::addColumn<QStringList>("damage"); // statements run on the copy
        QTest::addColumn<QString>("finding");
        QTest::newRow("sound") << m_plain << QStringList() << QString();
        // An older database without the unique keys; numbers compare as the keys would.
        QTest::newRow("duplicated number, unique keys dropped")
            << m_plain
            << QStringList{"CREATE TABLE keyless AS SELECT * FROM pLoansIssueData",
                           "DROP TABLE pLoansIssueData",
                           "ALTER TABLE keyless RENAME TO pLoansIssueData",
                           "UPDATE pLoansIssueData SET liNo = 'ln1 ' WHERE liCompanyID = 1 AND "
                           "liNo = 'LN2'"}
            << "duplicate issue number: company 1, type L, number LN1 held by 2 issues";
        QTest::newRow("missing employee")
            << m_plain
            << QStringList{"DELETE FROM pemployee WHERE eCompanyID = 1 AND eEmpID = (SELECT "
                           "liempid FROM pLoansIssueData WHERE liCompanyID = 1 AND liID = 1)"}
            << "missing employee: issue 1 of company 1 names employee";
        QTest::newRow("damaged b-tree page") << m_plain << QStringList() << "integrity check: ";
        QTest::newRow("not a database")
            << m_notes << QStringList() << "cannot be opened: file is not a database";
        QTest::newRow("no such file")
            << QString() << QStringList() << "cannot be opened: the file does not exist";
    }
    void checkNamesEachFinding()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, damage);
        QFETCH(QString, finding);
        const QString file = path(QStringLiteral("checked.db"));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(file + QLatin1String(suffix));
        if (!source.isEmpty())
            QVERIFY(QFile::copy(source, file));
        if (!damage.isEmpty())
            runNative(file, damage);
        if (QTest::currentDataTag() == QLatin1String("damaged b-tree page"))
            damageIssuePage(file);
        const QByteArray before = fileBytes(file);

        const Run run = payrollHost({"--db", file, "--check"});
        QCOMPARE(fileBytes(file), before);
        QCOMPARE(run.exitCode, finding.isEmpty() ? 0 : 1);
        const QString expected =
            finding.isEmpty() ? file + QStringLiteral(" is sound.\n") : finding;
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(BackupTest)

#include "test_backup.moc"
