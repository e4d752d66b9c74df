#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run payrollHost(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("OSTREL_UNATTENDED"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PAYROLL_HOST), arguments);
    process.waitForFinished(60000);
    Run run;
    // A crash is never an answer, whatever the arguments.
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestPayrollHost : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_demo;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    Run payrollHost(const QStringList& arguments) const
    {
        return ::payrollHost(arguments, m_dir.path());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_demo = path(QStringLiteral("demo.db"));
        const Run created = payrollHost({"--db", m_demo, "--demo", "--process-date", "2024-03-15"});
        QCOMPARE(created.err, QString());
        QCOMPARE(created.exitCode, 0);
    }

    void initDbOnlyOnce()
    {
        const QString db = path(QStringLiteral("empty.db"));
        QCOMPARE(payrollHost({"--db", db, "--init-db"}).exitCode, 0);
        const Run tables = payrollHost({"--db", db, "--sql", "select count(*) n from linktable"});
        QCOMPARE(tables.out, QStringLiteral("n\n12\n"));
        QCOMPARE(payrollHost({"--db", db, "--sql", "select count(*) n from pemployee"}).out,
                 QStringLiteral("n\n0\n"));

        for (const char* action : {"--init-db", "--demo"}) {
            const Run again = payrollHost({"--db", db, action});
            QCOMPARE(again.exitCode, 1);
            QVERIFY2(again.err.contains(QLatin1String("already has tables")),
                     qPrintable(again.err));
        }
        QCOMPARE(payrollHost({"--db", db, "--sql", "select count(*) n from pemployee"}).out,
                 QStringLiteral("n\n0\n"));
    }

    void selectPrintsRows()
    {
        const Run loans = payrollHost({"--db", m_demo, "--sql",
                                       "select liid, lino from pLoansIssueData where "
                                       "licompanyid=1and litype= 'L ' order by liid"});
        QCOMPARE(loans.exitCode, 0);
        const QStringList lines = loans.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.first().toLower(), QStringLiteral("liid\tlino"));
        QCOMPARE(lines.at(1), QStringLiteral("1\tLN1"));
        QCOMPARE(lines.last(), QStringLiteral("17\tLN12"));

        const Run values = payrollHost({"--db", m_demo, "--sql",
                                        "select lidate, liUsed, liOpeningBalance from "
                                        "pLoansIssueData where licompanyid = 1 and lino = 'LN9'"});
        QCOMPARE(values.out,
                 QStringLiteral("lidate\tliUsed\tliOpeningBalance\n2024-02-26\tNULL\t8000\n"));
    }

    void updatePrintsCount()
    {
        const QString db = path(QStringLiteral("update.db"));
        QVERIFY(QFile::copy(m_demo, db));
        const Run update = payrollHost({"--db", db, "--sql",
                                        "update pLoansIssueData set liRemarks = 'checked' where "
                                        "licompanyid = 1 and litype = 'A'"});
        QCOMPARE(update.out, QStringLiteral("5 row(s) affected\n"));
        QCOMPARE(update.exitCode, 0);
    }

    void badOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--db", "x.db", "--colour"} << "colour";
        QTest::newRow("no database") << QStringList{"--sql", "select 1"} << "--db";
        QTest::newRow("type other than L and A")
            << QStringList{"--db", "x.db", "--type", "X"} << "--type";
        QTest::newRow("user 0") << QStringList{"--db", "x.db", "--user", "0"} << "--user";
        QTest::newRow("company beyond 16 bits")
            << QStringList{"--db", "x.db", "--company", "40000"} << "--company";
        QTest::newRow("no such day")
            << QStringList{"--db", "x.db", "--process-date", "2023-02-29"} << "--process-date";
        QTest::newRow("two actions")
            << QStringList{"--db", "x.db", "--init-db", "--demo"} << "only one";
        QTest::newRow("stray argument") << QStringList{"--db", "x.db", "extra"} << "extra";
    }
    void badOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = payrollHost(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("x.db"))));
    }

    void missingFileIsNotCreated_data()
    {
        QTest::addColumn<QStringList>("action");
        QTest::newRow("statement") << QStringList{"--sql", "select 1"};
        QTest::newRow("register") << QStringList{"--type", "A"};
    }
    void missingFileIsNotCreated()
    {
        QFETCH(QStringList, action);
        const QString db = path(QStringLiteral("absent.db"));
        const Run run = payrollHost(QStringList{"--db", db} + action);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("does not exist")), qPrintable(run.err));
        QVERIFY(!QFile::exists(db));
    }

    void failingStatement_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("no such table") << "select * from pLoansIssue";
        QTest::newRow("syntax") << "select from where";
        QTest::newRow("duplicate issue id")
            << "insert into pLoansIssueData (liCompanyID, liID, litype, liNo, lidate, liempid, "
               "liLoanID, liLoanAppID) values (1, 1, 'L', 'LN99', '2024-03-15', 1, 1, 1)";
    }
    void failingStatement()
    {
        QFETCH(QString, statement);
        const Run run = payrollHost({"--db", m_demo, "--sql", statement});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(QLatin1String("The statement failed: ")), qPrintable(run.err));
    }

    // The register path: the module is loaded on demand, and a failure reaches the user under
    // the host's title and stderr, with a non-zero exit.
    void registerFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing module")
            << QStringList{"--module", "/nonexistent/libmodule.so"} << "could not be loaded";
        QTest::newRow("library that is not the module")
            << QStringList{"--module", QStringLiteral(PLATFORM_LIBRARY)} << "could not be loaded";
    }
    void registerFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run =
            payrollHost(QStringList{"--db", m_demo, "--title", "Test Payroll"} + arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(run.err.contains(QLatin1String("Test Payroll: ")), qPrintable(run.err));
    }

    // On X11 the toolkit would take --title as the title of the first window it shows; the
    // host keeps its options to itself, so the register and the statement keep their own.
    void nativeTitlesUnderX11()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || xdotool.isEmpty())
            QSKIP("Xvfb and xdotool are not installed (scripts/setup installs them)");
        QProcess server;
        server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server.waitForReadyRead(10000))
            QSKIP("no X server could start here");
        QProcess host, tool;
        QProcessEnvironment x11 = QProcessEnvironment::systemEnvironment();
        x11.insert("DISPLAY", ':' + QString::fromLatin1(server.readAllStandardOutput().trimmed()));
        x11.insert("QT_QPA_PLATFORM", "xcb");
        x11.insert("OSTREL_UNATTENDED", "1");
        host.setProcessEnvironment(x11);
        tool.setProcessEnvironment(x11);
        const auto xdo = [&](const QStringList& arguments) {
            tool.start(xdotool, arguments);
            if (!tool.waitForFinished(20000))
                tool.kill(), tool.waitForFinished(); // not found in time: an empty answer
            return QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
        };
        host.start(PAYROLL_HOST,
                   {"--db", m_demo, "--title", "Payroll", "--process-date", "2024-03-15"});
        const QString register_ = xdo({"search", "--sync", "--name", "^Loans Issue$"});
        xdo({"windowfocus", "--sync", register_});
        xdo({"key", "alt+p"});
        const QStringList shown{register_, xdo({"search", "--sync", "--name", "^Loan Issue$"}),
                                xdo({"search", "--name", "^Payroll$"})};
        host.kill();
        host.waitForFinished();
        server.terminate();
        server.waitForFinished();
        QVERIFY2(!shown[0].isEmpty() && !shown[1].isEmpty(), "a window lost its own title");
        QCOMPARE(shown[2], QString()); // no window took the message boxes' title
    }

    void registerOnADatabaseWithoutPayrollTables()
    {
        const QString empty = path(QStringLiteral("not-payroll.db"));
        QVERIFY(payrollHost({"--db", empty, "--demo"}).exitCode == 0);
        const Run dropped = payrollHost({"--db", empty, "--sql", "drop table linktable"});
        QCOMPARE(dropped.exitCode, 0);
        const Run run = payrollHost({"--db", empty});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QLatin1String("linktable")), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestPayrollHost)
#include "test_payroll_host.moc"
