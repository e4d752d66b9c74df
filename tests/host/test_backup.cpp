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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

// wrapper: the program and arguments the host runs under (a shell setting a limit, another user).
Run payrollHost(const QStringList& arguments, const QStringList& wrapper = {})
{
    if (wrapper.isEmpty())
        return payrollHost(arguments, QString());
    return payrollHost(wrapper.mid(1) + QStringList{QStringLiteral(PAYROLL_HOST)} + arguments,
                       QString(), wrapper.front());
}

void runNative(const QString& database, const QStringList& statements)
{
    ado::Connection connection;
    connection.Open(database);
    for (const QString& sql : statements)
        payroll::NativeStatement(connection, sql).run();
}

enum class Damage { None, DuplicateNumber, MissingEmployee, DamagedPage, NotADatabase, Absent };

} // namespace

Q_DECLARE_METATYPE(Damage)

class BackupTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_demo;  // as the host creates it: write-ahead journal
    QString m_plain; // a backup of it, which needs no journal files beside it

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void damage(const QString& file, Damage kind)
    {
        switch (kind) {
        case Damage::None:
        case Damage::Absent:
            break;
        case Damage::DuplicateNumber:
            // An older database without the unique keys; numbers compare as the keys would.
            runNative(file, {"CREATE TABLE keyless AS SELECT * FROM pLoansIssueData",
                             "DROP TABLE pLoansIssueData",
                             "ALTER TABLE keyless RENAME TO pLoansIssueData",
                             "UPDATE pLoansIssueData SET liNo = 'ln1 ' WHERE liCompanyID = 1 AND "
                             "liNo = 'LN2'"});
            break;
        case Damage::MissingEmployee:
            runNative(file, {"DELETE FROM pemployee WHERE eCompanyID = 1 AND eEmpID = (SELECT "
                             "liempid FROM pLoansIssueData WHERE liCompanyID = 1 AND liID = 1)"});
            break;
        case Damage::DamagedPage: {
            ado::Connection connection;
            connection.Open(file);
            const qint64 root = payroll::NativeStatement(
                                    connection, "SELECT rootpage FROM sqlite_master WHERE name = "
                                                "'pLoansIssueData'")
                                    .scalar()
                                    .toLongLong();
            const qint64 pageSize =
                payroll::NativeStatement(connection, "PRAGMA page_size").scalar().toLongLong();
            connection.Close(); // the last connection folds the journal into the file
            QFile bytes(file);
            QVERIFY(bytes.open(QIODevice::ReadWrite));
            QVERIFY(bytes.seek((root - 1) * pageSize));
            bytes.write("\x7f", 1); // no b-tree page has this type
            break;
        }
        case Damage::NotADatabase: {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
            text.write(QByteArray("payroll notes, not a database\n").repeated(200));
            break;
        }
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Another user must reach the files for the read-only folder case.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadOther |
                                                QFile::ExeOther);
        m_demo = path(QStringLiteral("demo.db"));
        m_plain = path(QStringLiteral("plain.db"));
        QCOMPARE(payrollHost({"--db", m_demo, "--demo", "--process-date", "2024-03-15"}).exitCode,
                 0);
        const Run backup = payrollHost({"--db", m_demo, "--backup", m_plain});
        QCOMPARE(backup.err, QString());
        QCOMPARE(backup.out, QStringLiteral("Backed up %1 to %2: 23 issues, %3 bytes.\n")
                                 .arg(m_demo, m_plain)
                                 .arg(QFileInfo(m_plain).size()));
        QCOMPARE(fileBytes(m_plain).at(18), '\1'); // the rollback journal, not the write-ahead log
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
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("wrapper");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString target = path(QStringLiteral("refused/b.db"));
        QDir(path(QStringLiteral("refused"))).mkpath(QStringLiteral("."));
        QFile text(path(QStringLiteral("notes.db")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("payroll notes, not a database\n");
        runNative(path(QStringLiteral("other.db")), {"CREATE TABLE t (x)"});

        QTest::newRow("target folder missing")
            << QStringList{"--db", m_demo, "--backup", path("nowhere/b.db")} << QStringList() << 1
            << "The folder " + path("nowhere") + " for the backup does not exist.";
        QTest::newRow("target a folder") << QStringList{"--db", m_demo, "--backup", path("refused")}
                                         << QStringList() << 1 << "is a folder";
        QTest::newRow("target the database itself")
            << QStringList{"--db", m_demo, "--backup", path("./demo.db")} << QStringList() << 1
            << "would overwrite the database it copies";
        QTest::newRow("target folder read-only")
            << QStringList{"--db", m_plain, "--backup", target}
            << (geteuid() == 0 ? QStringList{"runuser", "-u", "nobody", "--"} : QStringList()) << 1
            << "Cannot write the backup in " + path("refused") + ": ";
        QTest::newRow("disk full")
            << QStringList{"--db", m_plain, "--backup", target}
            << QStringList{"bash", "-c", "ulimit -f 16 && exec \"$0\" \"$@\""} << 1
            << "The backup does not fit in " + path("refused") +
                   ": the disk is full or a "
                   "file-size limit was reached";
        QTest::newRow("source missing")
            << QStringList{"--db", path("absent.db"), "--backup", target} << QStringList() << 1
            << "does not exist";
        QTest::newRow("source not a database")
            << QStringList{"--db", path("notes.db"), "--backup", target} << QStringList() << 1
            << "is not a payroll database: file is not a database.";
        QTest::newRow("source without the payroll tables")
            << QStringList{"--db", path("other.db"), "--backup", target} << QStringList() << 1
            << "is not a payroll database: it has no pLoansIssueData table.";
        QTest::newRow("backup over ODBC")
            << QStringList{"--db", "odbc:DSN=payroll", "--backup", target} << QStringList() << 2
            << "--backup works on the embedded database's file only";
        QTest::newRow("check over ODBC")
            << QStringList{"--db", "odbc:DSN=payroll", "--check"} << QStringList() << 2
            << "--check works on the embedded database's file only";
    }
    void backupRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, wrapper);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        // Root writes anywhere: another user meets the read-only folder instead.
        const bool readOnly = QTest::currentDataTag() == QLatin1String("target folder read-only");
        if (readOnly && geteuid() == 0 &&
            QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
            QSKIP("runuser is missing: no other user to be refused the folder");
        const QString folder = path(QStringLiteral("refused"));
        const QFileDevice::Permissions writable = QFile::permissions(folder);
        if (readOnly && geteuid() != 0)
            QFile::setPermissions(folder, writable & ~(QFile::WriteOwner | QFile::WriteUser));
        const QByteArray demoBefore = fileBytes(m_demo);
        const Run run = payrollHost(arguments, wrapper);
        QFile::setPermissions(folder, writable);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
        QCOMPARE(fileBytes(m_demo), demoBefore);
    }

    void checkNamesEachFinding_data()
    {
        QTest::addColumn<Damage>("kind");
        QTest::addColumn<QString>("finding");
        QTest::newRow("sound") << Damage::None << QString();
        QTest::newRow("duplicated number, unique keys dropped")
            << Damage::DuplicateNumber
            << "duplicate issue number: company 1, type L, number LN1 held by 2 issues";
        QTest::newRow("missing employee")
            << Damage::MissingEmployee << "missing employee: issue 1 of company 1 names employee";
        QTest::newRow("damaged b-tree page") << Damage::DamagedPage << "integrity check: ";
        QTest::newRow("not a database")
            << Damage::NotADatabase << "cannot be opened: file is not a database";
        QTest::newRow("no such file")
            << Damage::Absent << "cannot be opened: the file does not exist";
    }
    void checkNamesEachFinding()
    {
        QFETCH(Damage, kind);
        QFETCH(QString, finding);
        const QString file = path(QStringLiteral("checked.db"));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(file + QLatin1String(suffix));
        if (kind != Damage::Absent)
            QVERIFY(QFile::copy(m_plain, file));
        damage(file, kind);
        const QByteArray before = fileBytes(file);

        const Run run = payrollHost({"--db", file, "--check"});
        QCOMPARE(fileBytes(file), before);
        if (finding.isEmpty()) {
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.endsWith(file + QStringLiteral(" is sound.\n")), qPrintable(run.out));
        } else {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.contains(finding), qPrintable(run.out));
        }
    }
};

QTEST_GUILESS_MAIN(BackupTest)

#include "test_backup.moc"
