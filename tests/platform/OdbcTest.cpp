#include "RaisedError.h"
#include "RecordingPreviewPresenter.h"

#include "db/Recordset.h"
#include "report/ReportEngine.h"

#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

// The ODBC path, against the SQLite ODBC driver: statements pass unchanged, values read and
// written as on the embedded engine, integrity violations carry the same number; the report
// engine logs on to a named data source.
class OdbcTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ado::Connection m_db;

private slots:
    void initTestCase()
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            QSKIP("Qt's ODBC driver (libqt6sql6-odbc) is not installed");
        QFile drivers(QStringLiteral("/etc/odbcinst.ini"));
        if (!drivers.open(QIODevice::ReadOnly) || !drivers.readAll().contains("[SQLite3]"))
            QSKIP("The SQLite3 ODBC driver (libsqliteodbc) is not registered in odbcinst.ini");
        m_db.Open(QStringLiteral("odbc:DRIVER=SQLite3;Database=") +
                  m_dir.filePath(QStringLiteral("odbc.db")));
        m_db.Execute(QStringLiteral("create table pLoansIssue (liID integer primary key, "
                                    "liNo varchar(20) unique, lidate date, liOpeningBalance "
                                    "double, liRemarks varchar(250))"));
        m_db.Execute(QStringLiteral("insert into pLoansIssue values (1, 'LN1', '2003-02-13', "
                                    "1000.5, null)"));
        QFile ini(m_dir.filePath(QStringLiteral("odbc.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ostreltest]\nDriver=SQLite3\nDatabase=" +
                  m_dir.filePath(QStringLiteral("odbc.db")).toLocal8Bit() + "\n");
        ini.close();
        qputenv("ODBCINI", ini.fileName().toLocal8Bit());
    }

    // A connection string that names its data source with DSN= reaches that data source (the
    // bare name is the report's log-on below).
    void dataSourceNamedWithDsnAndOptions()
    {
        ado::Connection viaDsn;
        viaDsn.Open(QStringLiteral("odbc:DSN=ostreltest;Timeout=2000"));
        QCOMPARE(
            viaDsn.ExecuteScalar(QStringLiteral("select liNo from pLoansIssue where liID = 1")),
            QVariant(QStringLiteral("LN1")));
    }

    void selectReadsTypedValues()
    {
        ado::Recordset rs;
        rs.Open(QStringLiteral("select * from pLoansIssue where liID = 1"), m_db);
        QCOMPARE(rs.value(QStringLiteral("LIID")), QVariant(qint64(1)));
        QCOMPARE(rs.value(QStringLiteral("liNo")), QVariant(QStringLiteral("LN1")));
        QCOMPARE(rs.value(QStringLiteral("liOpeningBalance")), QVariant(1000.5));
        QCOMPARE(rs.value(QStringLiteral("lidate")), QVariant(QDate(2003, 2, 13)));
        QVERIFY(rs.value(QStringLiteral("liRemarks")).isNull());
    }

    void integrityViolationNumber()
    {
        QString description;
        QCOMPARE(errorNumberOf(
                     [&] {
                         m_db.Execute(QStringLiteral(
                             "insert into pLoansIssue (liID, liNo) values (2, 'LN1')"));
                     },
                     &description),
                 RuntimeError::IntegrityViolation);
        QVERIFY2(description.contains(QStringLiteral("UNIQUE")), qPrintable(description));
    }

    // The report reads the data source the register's log-on names; a failure to log on never
    // shows the password, even where the driver repeats it in the name it could not find.
    void reportLogsOnToTheDataSourceAndHidesThePassword()
    {
        QFile report(m_dir.filePath(QStringLiteral("issue.rpt")));
        QVERIFY(report.open(QIODevice::WriteOnly));
        report.write("[query issue]\nrows = one\nsql = select liNo from pLoansIssue\n"
                     "[title]\nheading = {issue.liNo}\n");
        report.close();
        const QString password = QStringLiteral("tarnbelqowd");
        const auto run = [&](const QString& dataSource) {
            rpt::ReportEngine engine(m_db);
            engine.LogOnServer(QStringLiteral("pdsodbc.dll"), dataSource, QStringLiteral("payroll"),
                               password, password);
            engine.setReportFileName(report.fileName());
            engine.setAction(1);
        };
        rpt::RecordingPreviewPresenter presenter;
        run(QStringLiteral("ostreltest"));
        QCOMPARE(presenter.shown().front().pages.front().front(), QStringLiteral("LN1"));

        const QString failure =
            failureOf([&] { run(QStringLiteral("dsn_") + password.toUpper()); });
        QVERIFY2(failure.startsWith(u"The report could not log on to the data source"),
                 qPrintable(failure));
        QVERIFY2(!failure.contains(password, Qt::CaseInsensitive), qPrintable(failure));
    }
};

QTEST_MAIN(OdbcTest)

#include "OdbcTest.moc"
