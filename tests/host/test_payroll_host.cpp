// payroll-host run as a user would, and --backup and --check as an office runs them: killed
// midway, refused, and on files damaged in the ways an office meets.
#include "DemoData.h"
#include "LargeRegister.h"
#include "MachineRequirement.h"
#include "db/Connection.h"
#include "db/PreparedStatement.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
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
        ado::PreparedStatement(connection, sql).run();
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
        // Another user runs the copy in the test folder: the build may lie where only its owner
        // may enter (a home folder, a private clone).
        const QString host = wrapper.contains(u"runuser"_s) ? path(u"bin/payroll-host"_s)
                                                            : QStringLiteral(PAYROLL_HOST);
        const QStringList command = wrapper + QStringList{host} + arguments;
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
        // The host and the libraries beside it (found there through its $ORIGIN run path).
        const QDir build = QFileInfo(QStringLiteral(PAYROLL_HOST)).dir();
        QVERIFY(QDir(m_dir.path()).mkdir(u"bin"_s));
        for (const QString& file : build.entryList({"payroll-host", "*.so"}, QDir::Files))
            QVERIFY(QFile::copy(build.filePath(file), path(u"bin/"_s + file)));
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
        // The rollback journal, not the write-ahead log, also once a select has read it.
        const Run read = payrollHost({"--db", m_plain, "--sql", "select count(*) n from pusers"});
        QCOMPARE(read.out, u"n\n12\n"_s);
        QCOMPARE(fileBytes(m_plain).mid(18, 1), QByteArray("\1"));
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
        QTest::newRow("repeated option")
            << QStringList{"--db", "x.db", "--sql", "select 1", "-db", "y.db"} << 2
            << "--db is given more than once";
        QTest::newRow("statement without its PDF")
            << QStringList{"--db", "x.db", "--statement", "LN1"} << 2 << "--pdf";
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
        QTest::newRow("no payroll tables")
            << QStringList{"--db", m_other, "--title", "Test Payroll"} << 1
            << "Test Payroll: " + m_other + " is not a payroll database: it has no table map";
        // Opening would make it a database; it stays empty.
        QFile(path(u"zero.db"_s)).open(QIODevice::WriteOnly);
        QTest::newRow("empty file") << QStringList{"--db", path("zero.db"), "--sql", "select 1"}
                                    << 1 << "is not a payroll database: the file is empty";
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
        QCOMPARE(QFileInfo(path(u"zero.db"_s)).size(), 0);
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
            << "Statement 2 of 2 (\"delete from pLoansIssueData where lidate >= "
               "'31/12/2023'\") failed: Conversion failed when converting date and/or time "
               "from character string.\nThe batch was rolled back"
            << 2;
        QTest::newRow("duplicate issue id")
            << "insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, "
               "liLoanID, liLoanAppID) values (1, 1, 'L', 'LN99', '2024-03-15', 1, 1, 1)"
            << 1 << QString() << "...\" failed: UNIQUE constraint failed" << 2;
        // Transaction control or a file-level statement would break all-or-nothing: refused
        // before anything runs, also where no semicolon parts it from a change.
        QTest::newRow("transaction ended inside")
            << "update pusers set username = 'x' where userid = 6; select case when 1 = 1 then 0 "
               "end x; end transaction; select 1/0"
            << 2 << QString() << "Statement 3 of 4 (\"end transaction\") refused" << 2;
        QTest::newRow("commit, then a file made")
            << "update pusers set username = 'x' where userid = 6 commit vacuum into 'copy.db'" << 2
            << QString() << "takes no commit" << 2;
        // A batch that only reads takes no write lock: it does not wait for the clerk's save
        // and sees only what is committed.
        QTest::newRow("selects beside a save under way")
            << "select count(*) n from pusers; " + guest << 0 << "n\n12\n\nusername\nguest\n"
            << QString() << 2;
        QTest::newRow("text for an amount")
            << "update pLoansIssueData set liOpeningBalance = 'abc'" << 1 << QString()
            << "Error converting data type varchar to float." << 2;
        QTest::newRow("only a comment") << "-- nothing" << 2 << QString() << "no statement" << 2;
    }
    void batches()
    {
        QFETCH(QString, batch);
        QFETCH(QString, err);
        const QString db = path(QLatin1String(QTest::currentDataTag()) + u".db"_s);
        QVERIFY(QFile::copy(m_demo, db));
        ado::Connection clerk;
        if (QTest::currentDataTag() == "selects beside a save under way"_L1) {
            clerk.Open(db);
            clerk.BeginTrans();
            clerk.Execute(u"update pusers set username = 'saving' where userid = 6"_s);
        }
        const Run run = payrollHost({"--db", db, "--sql", batch});
        clerk.Close(); // undoes the save under way
        QVERIFY(!QFile::exists(path(u"copy.db"_s)));
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

    // A user who may only read the database (another's file) leaves nothing beside it, reads the
    // last commit (also one still in the -wal) or is refused with the cause, gets a true --check
    // verdict and a backup, and is refused a change plainly; the owner's next save works, and
    // one blocked by another's -wal names that user.
    void readersLeaveNothingBehind_data()
    {
        QTest::addColumn<int>("folderMode");     // the reader may write the folder or not
        QTest::addColumn<bool>("ownerOpened");   // once, which keeps its -wal and -shm
        QTest::addColumn<bool>("pendingCommit"); // one in the -wal, not yet in the file
        for (const int mode : {0777, 0755}) {
            const QByteArray folder = mode == 0777 ? "folder open to it" : "folder closed to it";
            QTest::newRow(folder) << mode << true << false;
            QTest::newRow(folder + ", a commit in the -wal") << mode << true << true;
            QTest::newRow(folder + ", never opened by the owner") << mode << false << false;
        }
    }
    void readersLeaveNothingBehind()
    {
        QFETCH(int, folderMode);
        QFETCH(bool, ownerOpened);
        QFETCH(bool, pendingCommit);
        OSTREL_REQUIRE(canRunUnprivileged() && ::geteuid() == 0 && ::getpwnam("daemon"),
                       "not root with runuser and the users daemon and nobody");
        const passwd owner = *::getpwnam("daemon");
        const QString folder = path(QLatin1String(QTest::currentDataTag()));
        const QString db = folder + u"/payroll.db"_s, backups = path(u"backups"_s);
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(backups) && QFile::copy(m_demo, db));
        QVERIFY(::chown(QFile::encodeName(db), owner.pw_uid, owner.pw_gid) == 0 &&
                ::chown(QFile::encodeName(folder), owner.pw_uid, owner.pw_gid) == 0 &&
                ::chmod(QFile::encodeName(folder), mode_t(folderMode)) == 0 &&
                ::chmod(QFile::encodeName(backups), 0777) == 0);
        const auto ownedFiles = [&] {
            QStringList files; // "payroll.db daemon"
            for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
                files << file.fileName() + u' ' + file.owner();
            return files;
        };
        const QStringList asOwner{"runuser", "-u", "daemon", "--"};
        const QStringList count{"--db", db, "--sql", "select count(*) n from pusers"};
        if (ownerOpened)
            QCOMPARE(payrollHost(count, asOwner).err, QString());
        const QStringList kept = ownedFiles();
        ado::Connection writer; // its commit stays in the -wal while it is open
        if (pendingCommit) {
            writer.Open(db);
            writer.Execute(u"insert into pusers values (9, 1, 'pending')"_s);
        }
        QList<Run> runs;
        for (const QStringList& action : {QStringList{}, {"--check"}, {"--backup", backups + "/c"}})
            runs << payrollHost(action.isEmpty() ? count : QStringList{"--db", db} + action,
                                asUnprivileged());
        const Run change =
            payrollHost({"--db", db, "--sql", "delete from pusers"}, asUnprivileged());
        writer.Close();
        QCOMPARE(ownedFiles(), kept);
        QCOMPARE(kept.filter(u" daemon"_s).size(), ownerOpened ? 3 : 1);
        for (const Run& run : runs) {
            QVERIFY2(run.exitCode == (ownerOpened ? 0 : 1), qPrintable(run.err));
            QCOMPARE(run.err.contains(u"Ask the owner to open the database once"_s), !ownerOpened);
            QVERIFY(!run.out.contains(u"not sound"_s));
        }
        if (ownerOpened)
            QCOMPARE(runs[0].out, pendingCommit ? u"n\n13\n"_s : u"n\n12\n"_s);
        QVERIFY(change.err.contains(ownerOpened ? u"the database is read-only"_s : u"Ask the"_s));
        const QStringList save{"--db", db, "--sql", "update pusers set username = username"};
        QCOMPARE(payrollHost(save, asOwner).err, QString());
        QVERIFY(::chown(QFile::encodeName(db + u"-wal"_s), ::getpwnam("nobody")->pw_uid, 0) == 0);
        QVERIFY(payrollHost(save, asOwner).err.contains(db + u"-wal belongs to nobody"_s));
    }

    // A file left mid-change by a program that stopped (its journal beside it), which this user
    // may not undo: the cause is named, by a query and by --check.
    void changeLeftHalfDone()
    {
        if (!canRunUnprivileged())
            QSKIP("running as root without runuser or the user nobody to read as");
        const QString db = path(u"halfdone/payroll.db"_s);
        QDir(path(u"halfdone"_s)).mkpath(u"."_s);
        QVERIFY(QFile::copy(m_plain, db) && QFile::copy(m_plain, db + u".live"_s));
        sqlite3* writer = nullptr;
        sqlite3_open(QFile::encodeName(db + u".live"_s).constData(), &writer);
        QCOMPARE(sqlite3_exec(writer, "PRAGMA synchronous=OFF; BEGIN; CREATE TABLE t (x)", 0, 0, 0),
                 SQLITE_OK);
        QVERIFY(QFile::copy(db + u".live-journal"_s, db + u"-journal"_s)); // as a crash leaves it
        sqlite3_close(writer);
        const QByteArray before = fileBytes(db);
        for (const QStringList& action : {QStringList{"--sql", "select 1"}, {"--check"}}) {
            const Run run = payrollHost(QStringList{"--db", db} + action, asUnprivileged());
            QCOMPARE(run.exitCode, 1);
            QVERIFY2((run.err + run.out).contains(u"left in the middle of a change"_s),
                     qPrintable(run.err + run.out));
        }
        QCOMPARE(fileBytes(db), before);
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
        const QString pipe = path(u"refused/pipe"_s);
        QVERIFY(QFile::exists(pipe) || ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QTest::newRow("target a pipe, as root too")
            << m_demo << pipe << none << 1 << pipe + " is not a plain file";
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
            << "is not a payroll database: it has no table map (linktable).";
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

    // The nightly script: a name taken as written, the newest seven checked copies kept, one
    // damaged copy at most, and .partial files of runs killed more than a day ago removed.
    void nightlyBackupKeepsItsFolderTidy()
    {
        QDir folder(path(u"nightly"_s));
        QVERIFY(folder.mkpath(u"."_s));
        const QString db = path(u"pay[1].db"_s);
        QVERIFY(QFile::copy(m_plain, db));
        const auto place = [&](const QString& name, int daysOld) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setFileTime(QDateTime::currentDateTime().addDays(-daysOld),
                             QFileDevice::FileModificationTime);
        };
        const QString stamp = u"pay[1]-2026-01-0%1-023000.db"_s;
        for (int day = 1; day <= 9; ++day)
            place(stamp.arg(day), 0);
        place(stamp.arg(1) + u".damaged"_s, 0);
        place(stamp.arg(2) + u".damaged"_s, 0);
        place(stamp.arg(1) + u".AAAAAA.partial"_s, 2);
        place(stamp.arg(2) + u".BBBBBB.partial"_s, 0);
        place(u"pay1-2026-01-01-023000.db"_s, 0); // another database's
        QProcess nightly;
        nightly.start(QStringLiteral(NIGHTLY_BACKUP), {db, folder.path(), PAYROLL_HOST});
        QVERIFY(nightly.waitForFinished(60000));
        QCOMPARE(nightly.exitCode(), 0);
        QStringList kept = folder.entryList(QDir::Files, QDir::Name);
        QVERIFY(kept.takeLast().startsWith(u"pay[1]-"_s)); // tonight's, sorted after the rest
        QCOMPARE(kept, (QStringList{"pay1-2026-01-01-023000.db", stamp.arg(2) + ".BBBBBB.partial",
                                    stamp.arg(2) + ".damaged", stamp.arg(4), stamp.arg(5),
                                    stamp.arg(6), stamp.arg(7), stamp.arg(8), stamp.arg(9)}));
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
        // The issues are found where the table map says, as the module finds them.
        QTest::newRow("missing employee, issue table renamed in the map")
            << m_plain
            << QStringList{"ALTER TABLE pLoansIssueData RENAME TO pIssues",
                           "UPDATE linktable SET linktablename = 'pIssues' WHERE tablename = "
                           "'pLoansIssue'",
                           "DELETE FROM pemployee WHERE eCompanyID = 1 AND eEmpID = (SELECT "
                           "liempid FROM pIssues WHERE liCompanyID = 1 AND liID = 1)"}
            << "missing employee: issue 1 of company 1 names employee";
        // Stored where the schema's checks were off: a text SQL Server's float could not hold.
        QTest::newRow("text in a float column")
            << m_plain
            << QStringList{"PRAGMA ignore_check_constraints = 1",
                           "UPDATE pLoansIssueData SET liNoofPayments = 'x' WHERE liID = 2"}
            << "value its SQL Server column cannot hold: pLoansIssueData row liCompanyID 1, liID "
               "2: liNoofPayments (float) holds 'x'";
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
            const qint64 root = ado::PreparedStatement(connection, at).scalar().toLongLong();
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

        // A backup checks its copy the same way: one with findings never replaces a good
        // backup, it is set aside under the target's name with ".damaged".
        const QString target = file + u".backup"_s;
        QVERIFY(QFile::copy(m_notes, target));
        const Run backup = payrollHost({"--db", file, "--backup", target});
        const bool opened = !finding.startsWith("cannot be opened"_L1);
        QCOMPARE(backup.exitCode, run.exitCode);
        QCOMPARE(fileBytes(target) == fileBytes(m_notes), !finding.isEmpty());
        QCOMPARE(QFile::exists(target + u".damaged"_s), opened && !finding.isEmpty());
        QVERIFY2(backup.err.contains(opened ? finding : u"Nothing was written"_s),
                 qPrintable(backup.err));
    }

    // Statements printed without a display, read back from the PDF: each statement from a new
    // page with its own page count, every figure whole, and nothing written for a number that
    // is not found.
    void statementsToPdf_data()
    {
        QTest::addColumn<QStringList>("context"); // --company, --type
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("pages"); // each page's issue number and page of pages
        QTest::addColumn<QStringList>("shown");
        const auto pagesOf = [](const char* number, int count) {
            QStringList pages;
            for (int page = 1; page <= count; ++page)
                pages << u"%1 %2/%3"_s.arg(QLatin1String(number)).arg(page).arg(count);
            return pages;
        };
        QTest::newRow("loans, page count per statement")
            << QStringList() << "LN1,LN4" << 0 << pagesOf("LN1", 1) + pagesOf("LN4", 5)
            << QStringList{"12.0002 % a year, implied by the stored amount"};
        QTest::newRow("awkward figures")
            << QStringList() << "AW1,AW2,AW3" << 0 << QStringList{"AW1 1/1", "AW2 1/1", "AW3 1/1"}
            << QStringList{"Rounding", "imply no interest rate", "999,999,999,999.99",
                           "1,055,561,200,093.68"};
        QTest::newRow("declining balance, company 2")
            << QStringList{"--company", "2"} << "AW4" << 0 << pagesOf("AW4", 9)
            << QStringList{"5.5814 % a year"};
        QTest::newRow("a number not found")
            << QStringList() << "LN1,LN404" << 1 << QStringList() << QStringList{"LN404"};
    }
    void statementsToPdf()
    {
        QFETCH(QStringList, context);
        QFETCH(QString, numbers);
        QFETCH(QStringList, pages);
        QFETCH(QStringList, shown);
        const QString db = path(u"statements.db"_s);
        if (!QFile::exists(db)) {
            QVERIFY(QFile::copy(m_plain, db));
            const QString insert =
                u"INSERT INTO pLoansIssueData SELECT %1, 900 + %2, 'L', '%3', lidate, liempid, "
                "liLoanID, liLoanAppID, %6, 0, %4, %5, 1, 1, 0, NULL, 0, NULL FROM "
                "pLoansIssueData WHERE liCompanyID = %1 AND liID = 1"_s;
            runNative(db, {insert.arg("1", "1", "AW1", "3", "666.67", "2000"),
                           insert.arg("1", "2", "AW2", "3", "1000", "1000"),
                           insert.arg("1", "3", "AW3", "12", "87963433341.14", "999999999999.99"),
                           insert.arg("2", "4", "AW4", "360", "2851.27", "500000")});
        }
        const QString pdf = path(u"statements.pdf"_s);
        QFile::remove(pdf);

        const Run run = payrollHost(
            QStringList{"--db", db, "--statement", numbers, "--pdf", pdf} + context, {"env", "-i"});
        QTEST(run.exitCode, "exitCode");
        if (run.exitCode != 0) {
            QVERIFY(!QFile::exists(pdf));
            for (const QString& text : shown)
                QVERIFY2(run.err.contains(text), qPrintable(run.err));
            return;
        }
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(pdftotext.waitForFinished());
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QStringList found;
        static const QRegularExpression footer(uR"(\s(\S+), .*Page (\d+) of (\d+))"_s);
        for (const QString& page : text.split(u'\f', Qt::SkipEmptyParts)) {
            const auto match = footer.match(page);
            if (match.hasMatch())
                found << match.captured(1) + u' ' + match.captured(2) + u'/' + match.captured(3);
        }
        QCOMPARE(found, pages);
        for (const QString& figure : shown)
            QVERIFY2(text.contains(figure), qPrintable(figure));
        QVERIFY(!text.contains(u"\u2026"_s) && !text.contains(u"e+"_s));
    }
};

QTEST_GUILESS_MAIN(TestPayrollHost)
#include "test_payroll_host.moc"
