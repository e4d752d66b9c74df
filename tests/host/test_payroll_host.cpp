// payroll-host run as a user would, and --backup and --check as an office runs them: killed
// midway, refused, and on files damaged in the ways an office meets.
#include "DemoData.h"
#include "LargeRegister.h"
#include "MachineRequirement.h"
#include "NativeStatement.h"
#include "db/Connection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Root may write any file: what a user may not write is met as the user nobody instead.
QStringList asUnprivileged()
{
    return ::geteuid() == 0 ? QStringList{"runuser", "-u", "nobody", "--"} : QStringList();
}
bool canRunUnprivileged()
{
    return ::geteuid() != 0 ||
           (!QStandardPaths::findExecutable(u"runuser"_s).isEmpty() && ::getpwnam("nobody"));
}

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void runNative(const QString& database, const QStringList& statements)
{
    ado::Connection connection;
    connection.Open(database);
    for (const QString& sql : statements)
        payroll::NativeStatement(connection, sql).run();
}

} // namespace

class TestPayrollHost : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_demo;  // as the host creates it: write-ahead journal
    QString m_plain; // a backup of it, which needs no journal files beside it
    QString m_notes; // a text file
    QString m_other; // a database without the payroll tables

    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Runs the host unattended in the test folder. A `wrapper` (a shell setting a limit, another
    // user) is a program with its arguments that starts the host, whose path it gets next.
    Run payrollHost(const QStringList& arguments, const QStringList& wrapper = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"OSTREL_UNATTENDED"_s, u"1"_s);
        process.setProcessEnvironment(environment);
        const QStringList command = wrapper + QStringList{QStringLiteral(PAYROLL_HOST)} + arguments;
        process.start(command.front(), command.mid(1));
        process.waitForFinished(120000);
        Run run;
        // A crash is never an answer, whatever the arguments.
        if (process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Another user must reach the files for the read-only cases.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ReadOther |
                                                QFile::ExeOther);
        m_demo = path(u"demo.db"_s);
        m_plain = path(u"plain.db"_s);
        m_notes = path(u"notes.db"_s);
        m_other = path(u"other.db"_s);
        QFile text(m_notes);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray("payroll notes, not a database\n").repeated(200));
        runNative(m_other, {"CREATE TABLE t (x)"});
        const Run created = payrollHost({"--db", m_demo, "--demo", "--process-date", "2024-03-15"});
        QCOMPARE(created.err, QString());
        QCOMPARE(created.exitCode, 0);
        const Run backup = payrollHost({"--db", m_demo, "--backup", m_plain});
        QCOMPARE(backup.err, QString());
        QCOMPARE(backup.out, u"Backed up %1 to %2: 23 issues, %3 bytes.\n"_s.arg(m_demo, m_plain)
                                 .arg(QFileInfo(m_plain).size()));
        QCOMPARE(fileBytes(m_plain).mid(18, 1),
                 QByteArray("\1")); // the rollback journal, not the write-ahead log
    }

    void initDbOnlyOnce()
    {
        const QString db = path(u"empty.db"_s);
        const QStringList counts{
            "--db", db, "--sql",
            "select count(*) n from linktable; select count(*) n from pemployee"};
        QCOMPARE(payrollHost({"--db", db, "--init-db"}).exitCode, 0);
        for (const char* action : {"--init-db", "--demo"}) {
            const Run again = payrollHost({"--db", db, action});
            QCOMPARE(again.exitCode, 1);
            QVERIFY2(again.err.contains(QLatin1String("already has tables")),
                     qPrintable(again.err));
        }
        QCOMPARE(payrollHost(counts).out, u"n\n12\n\nn\n0\n"_s);
    }

    // Wrong options (2), a database that is none (1) and a register that cannot show (2, or 1
    // for a database without the payroll tables): each says why, under the host's title where
    // it has one, and no database file is left behind.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString absent = path(u"absent.db"_s);
        const QStringList titled{"--db", m_demo, "--title", "Test Payroll"};
        const QString noModule = u"Test Payroll: The loan issue module"_s;
        QTest::newRow("unknown option") << QStringList{"--db", "x.db", "--colour"} << 2 << "colour";
        QTest::newRow("no database") << QStringList{"--sql", "select 1"} << 2 << "--db";
        QTest::newRow("type other than L and A")
            << QStringList{"--db", "x.db", "--type", "X"} << 2 << "--type";
        QTest::newRow("user 0") << QStringList{"--db", "x.db", "--user", "0"} << 2 << "--user";
        QTest::newRow("company beyond 16 bits")
            << QStringList{"--db", "x.db", "--company", "40000"} << 2 << "--company";
        QTest::newRow("no such day")
            << QStringList{"--db", "x.db", "--process-date", "2023-02-29"} << 2 << "--process-date";
        QTest::newRow("two actions")
            << QStringList{"--db", "x.db", "--init-db", "--demo"} << 2 << "only one";
        QTest::newRow("stray argument") << QStringList{"--db", "x.db", "extra"} << 2 << "extra";
        QTest::newRow("demo over ODBC")
            << QStringList{"--db", "odbc:DRIVER=SQLite3;Database=x.db", "--demo"} << 2 << "ODBC";
        QTest::newRow("statement on a missing file")
            << QStringList{"--db", absent, "--sql", "select 1"} << 1 << "does not exist";
        QTest::newRow("register on a missing file")
            << QStringList{"--db", absent, "--type", "A"} << 1 << "does not exist";
        QTest::newRow("folder") << QStringList{"--db", path(QString()), "--sql", "select 1"} << 1
                                << "is a folder, not a database file";
        QTest::newRow("missing module")
            << titled + QStringList{"--module", "/nonexistent/libmodule.so"} << 2 << noModule;
        QTest::newRow("library that is not the module")
            << titled + QStringList{"--module", PLATFORM_LIBRARY} << 2 << noModule;
        QTest::newRow("no display") << titled << 2 << "no display";
        QTest::newRow("no payroll tables") << titled + QStringList{"--db", m_other} << 1
                                           << "Test Payroll: no such table: linktable";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        // Without a display (an empty environment) the register has nowhere to show.
        const bool display = QTest::currentDataTag() != QLatin1String("no display");
        const Run run = payrollHost(arguments, display ? QStringList() : QStringList{"env", "-i"});
        QTEST(run.exitCode, "exitCode");
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(u"x.db"_s)));
        QVERIFY(!QFile::exists(path(u"absent.db"_s)));
    }

    // A batch runs in one transaction: every result in order, or on a failure nothing kept.
    void batches_data()
    {
        QTest::addColumn<QString>("batch");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("guests");
        const QString guest = u"select username from pusers where userid = 6 and "
                              "companyid = 1"_s;
        QTest::newRow("typed values")
            << "select lidate, liUsed, liOpeningBalance from pLoansIssueData where licompanyid = "
               "1 and lino = 'LN9'"
            << 0 << "lidate\tliUsed\tliOpeningBalance\n2024-02-26\tNULL\t8000\n"
            << QString() << 2;
        QTest::newRow("text joined, comments first")
            << "/* c */ update pusers set username = username + '_old' where userid = 6;\n\n"
               "-- check\n" +
                   guest
            << 0 << "2 row(s) affected\n\nusername\nguest_old\n"
            << QString() << 0;
        QTest::newRow("last fails on a date")
            << "update pusers set username = username + '_old' where userid = 6; delete from "
               "pLoansIssueData where lidate >= '31/12/2023'"
            << 1 << QString()
            << "Statement 2 of 2 failed: Conversion failed when converting date and/or time "
               "from character string."
            << 2;
        QTest::newRow("duplicate issue id")
            << "insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, "
               "liLoanID, liLoanAppID) values (1, 1, 'L', 'LN99', '2024-03-15', 1, 1, 1)"
            << 1 << QString() << "The statement failed: UNIQUE constraint failed" << 2;
        QTest::newRow("only a comment") << "-- nothing" << 2 << QString() << "no statement" << 2;
    }
    void batches()
    {
        QFETCH(QString, batch);
        QFETCH(QString, err);
        const QString db = path(QLatin1String(QTest::currentDataTag()) + u".db"_s);
        QVERIFY(QFile::copy(m_demo, db));
        const Run run = payrollHost({"--db", db, "--sql", batch});
        QTEST(run.out, "out");
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
        QTEST(run.exitCode, "exitCode");
        const Run guests = payrollHost({"--db", db, "--sql",
                                        "select count(*) n from pusers where userid = 6 and "
                                        "username = 'guest'; select count(*) n from "
                                        "pLoansIssueData"});
        QTEST(guests.out.section(u'\n', 1, 1).toInt(), "guests");
        QCOMPARE(guests.out.section(u'\n', 4, 4), u"23"_s);
    }

    // On X11 the toolkit would take --title as the title of the first window it shows; the
    // host keeps its options to itself, so the register and the statement keep their own.
    void nativeTitlesUnderX11()
    {
        const QString xdotool = QStandardPaths::findExecutable(u"xdotool"_s);
        QProcess server, host, tool;
        if (!xdotool.isEmpty())
            server.start(u"Xvfb"_s,
                         {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        OSTREL_REQUIRE(server.waitForReadyRead(10000),
                       "no xdotool or no X server here (scripts/setup installs xdotool and Xvfb)");
        const QString display =
            "DISPLAY=:" + QString::fromLatin1(server.readAllStandardOutput().trimmed());
        const auto xdo = [&](const QStringList& arguments) {
            tool.start(u"env"_s, QStringList{display, xdotool} + arguments);
            if (!tool.waitForFinished(20000))
                tool.kill(), tool.waitForFinished(); // not found in time: an empty answer
            return QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
        };
        host.start(u"env"_s,
                   {display, "QT_QPA_PLATFORM=xcb", "OSTREL_UNATTENDED=1", PAYROLL_HOST, "--db",
                    m_demo, "--title", "Payroll", "--process-date", "2024-03-15"});
        const QString register_ = xdo({"search", "--sync", "--name", "^Loans Issue$"});
        xdo({"windowfocus", "--sync", register_});
        xdo({"key", "alt+p"});
        const QStringList shown{register_, xdo({"search", "--sync", "--name", "^Loan Issue$"}),
                                xdo({"search", "--name", "^Payroll$"})};
        server.terminate(); // the host goes with its display
        server.waitForFinished();
        QVERIFY2(!shown[0].isEmpty() && !shown[1].isEmpty(), "a window lost its own title");
        QCOMPARE(shown[2], QString()); // no window took the message boxes' title
    }

    // Where this user may only read the database (another user's file, a read-only disk) it
    // opens for reading: queries work, a change is refused plainly and the file stays as it was.
    void readOnlyDatabase_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("beside files can be made") << true;
        QTest::newRow("nothing can be made beside it") << false;
    }
    void readOnlyDatabase()
    {
        QFETCH(bool, folderWritable);
        OSTREL_REQUIRE(canRunUnprivileged(),
                       "running as root without runuser or the user nobody to read as");
        QTemporaryDir dir;
        const QString db = dir.filePath(u"payroll.db"_s);
        QVERIFY(QFile::copy(m_demo, db));
        const auto reading = QFile::ReadOwner | QFile::ReadOther;
        const auto entering = reading | QFile::ExeOwner | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(db, reading));
        QVERIFY(QFile::setPermissions(dir.path(), folderWritable ? entering | QFile::WriteOwner |
                                                                       QFile::WriteOther
                                                                 : entering));
        const QByteArray before = fileBytes(db);
        const auto hostAsReader = [&](const QString& statement) {
            return payrollHost({"--db", db, "--sql", statement}, asUnprivileged());
        };
        QCOMPARE(hostAsReader("select count(*) n from pusers").out, u"n\n12\n"_s);
        const Run change = hostAsReader("update pusers set username = 'x'");
        QCOMPARE(change.exitCode, 1);
        QVERIFY2(change.err.contains(QLatin1String("the database is read-only")),
                 qPrintable(change.err));
        QCOMPARE(fileBytes(db), before);
        QFile::setPermissions(dir.path(), entering | QFile::WriteOwner);
    }

    // Bytes that are not UTF-8 in a file name, under a locale that is not UTF-8, name that file.
    void fileNameInAForeignLocale()
    {
        const QString script =
            u"LC_ALL=C LANG=C exec \"$0\" --db \"$(printf 'caf\\351.db')\" \"$@\""_s;
        const auto host = [&](const QStringList& arguments) {
            return payrollHost(arguments, {"/bin/sh", "-c", script});
        };
        QCOMPARE(host({"--demo"}).exitCode, 0);
        QCOMPARE(host({"--sql", "select count(*) n from pusers"}).out, u"n\n12\n"_s);
        // The file has that byte name; removed here, as the test folder cannot name it.
        QVERIFY(::unlink(QFile::encodeName(m_dir.path()) + "/caf\xe9.db") == 0);
    }

    // ODBC failures say what is wrong and what to do, name the server but not the password,
    // and leave nothing behind.
    void odbcMessages_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("message");
        QTest::newRow("embedded file through the SQLite driver")
            << "SQLite3"
            << "DRIVER=SQLite3;Database=" + m_demo << "Open the file directly";
        QTest::newRow("SQL Server driver, no server listening")
            << "FreeTDS"
            << "DRIVER=FreeTDS;SERVER=127.0.0.1;PORT=1;UID=clerk;PWD=secret"
            << "to the server 127.0.0.1";
    }
    void odbcMessages()
    {
        QFETCH(QString, driver);
        QFETCH(QString, connection);
        QFETCH(QString, message);
        OSTREL_REQUIRE(fileBytes(u"/etc/odbcinst.ini"_s).contains("[" + driver.toUtf8() + "]"),
                       "the ODBC driver is not installed");
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        const Run run = payrollHost({"--db", "odbc:" + connection, "--sql",
                                     "update pusers set username = 'x' where username = 'guest'"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QLatin1String("SQLSERVER_CI")) &&
                     !run.err.contains(QLatin1String("secret")),
                 qPrintable(run.err));
        // Nothing new beside the databases (a closed database may tidy its -wal and -shm away).
        for (const QString& file : QDir(m_dir.path()).entryList(QDir::Files))
            QVERIFY2(before.contains(file), qPrintable(file));
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
        const QString large = path(u"large.db"_s);
        if (!QFile::exists(large)) {
            ado::Connection connection;
            connection.Open(large);
            payroll::createDemoDatabase(connection, QDate(2024, 3, 15));
            payroll::seedLargeRegister(connection, 1, u"L"_s, 100000);
        }
        QDir folder(path(QLatin1String(QTest::currentDataTag())));
        QVERIFY(folder.mkpath(u"."_s));
        const QString target = folder.filePath(u"nightly.db"_s);
        if (oldTarget)
            QVERIFY(QFile::copy(m_plain, target));
        const QByteArray before = fileBytes(target);

        QProcess backup;
        backup.start(QStringLiteral(PAYROLL_HOST), {"--db", large, "--backup", target});
        QVERIFY(backup.waitForStarted());
        // Killed once the copy is being written.
        while (folder.entryInfoList({"nightly.db.*.partial"}).value(0).size() == 0)
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
        const QString target = path(u"refused/b.db"_s);
        const QString odbc = u"odbc:DSN=payroll"_s;
        const QStringList none;
        QDir(path(u"refused"_s)).mkpath(u"."_s);

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
        QFETCH(QString, message);
        const bool readOnly = QTest::currentDataTag() == QLatin1String("target folder read-only");
        OSTREL_REQUIRE(
            !readOnly || canRunUnprivileged(),
            "running as root without runuser or the user nobody to be refused the folder");
        const QString folder = path(u"refused"_s);
        const QFileDevice::Permissions writable = QFile::permissions(folder);
        if (readOnly)
            QFile::setPermissions(folder, writable & ~(QFile::WriteOwner | QFile::WriteUser));
        const QByteArray demoBefore = fileBytes(m_demo);
        const QStringList action =
            target.isEmpty() ? QStringList{"--check"} : QStringList{"--backup", target};
        const Run run = payrollHost(QStringList{"--db", db} + action, wrapper);
        QFile::setPermissions(folder, writable);
        QTEST(run.exitCode, "exitCode");
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
        const QString file = path(QLatin1String(QTest::currentDataTag()) + u".db"_s);
        if (!source.isEmpty())
            QVERIFY(QFile::copy(source, file));
        if (!damage.isEmpty())
            runNative(file, damage);
        if (QTest::currentDataTag() == QLatin1String("damaged b-tree page")) {
            // The issue table's root page gets a type no b-tree page has.
            ado::Connection connection;
            connection.Open(file);
            const QString at = u"SELECT (rootpage - 1) * page_size FROM sqlite_master, "
                               "pragma_page_size WHERE name = 'pLoansIssueData'"_s;
            const qint64 root = payroll::NativeStatement(connection, at).scalar().toLongLong();
            connection.Close(); // the last connection folds the journal into the file
            QFile bytes(file);
            QVERIFY(bytes.open(QIODevice::ReadWrite) && bytes.seek(root));
            bytes.write("\x7f", 1);
        }
        const QByteArray before = fileBytes(file);

        const Run run = payrollHost({"--db", file, "--check"});
        QCOMPARE(fileBytes(file), before);
        QCOMPARE(run.exitCode, finding.isEmpty() ? 0 : 1);
        const QString expected = finding.isEmpty() ? file + u" is sound.\n"_s : finding;
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestPayrollHost)
#include "test_payroll_host.moc"
