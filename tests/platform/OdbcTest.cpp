#include "MachineRequirement.h"
#include "RaisedError.h"
#include "RecordingPreviewPresenter.h"

#include "db/Recordset.h"
#include "report/ReportEngine.h"

#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        OSTREL_REQUIRE(QSqlDatabase::isDriverAvailable(u"QODBC"_s),
                       "Qt's ODBC driver (libqt6sql6-odbc) is not installed");
        QFile drivers(u"/etc/odbcinst.ini"_s);
        OSTREL_REQUIRE(drivers.open(QIODevice::ReadOnly) && drivers.readAll().contains("[SQLite3]"),
                       "The SQLite3 ODBC driver (libsqliteodbc) is not registered in odbcinst.ini");
        m_db.Open(u"odbc:DRIVER=SQLite3;Database="_s + m_dir.filePath(u"odbc.db"_s));
        m_db.Execute(u"create table pLoansIssue (liID integer primary key, "
                     "liNo varchar(20) unique, lidate date, liOpeningBalance "
                     "double, liRemarks varchar(250))"_s);
        m_db.Execute(u"insert into pLoansIssue values (1, 'LN1', '2003-02-13', "
                     "1000.5, null)"_s);
        QFile ini(m_dir.filePath(u"odbc.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ostreltest]\nDriver=SQLite3\nDatabase=" +
                  m_dir.filePath(u"odbc.db"_s).toLocal8Bit() + "\n");
        ini.close();
        qputenv("ODBCINI", ini.fileName().toLocal8Bit());
    }

    // A connection string that names its data source with DSN= reaches that data source (the
    // bare name is the report's log-on below).
    void dataSourceNamedWithDsnAndOptions()
    {
        ado::Connection viaDsn;
        viaDsn.Open(u"odbc:DSN=ostreltest;Timeout=2000"_s);
        QCOMPARE(viaDsn.ExecuteScalar(u"select liNo from pLoansIssue where liID = 1"_s),
                 QVariant(u"LN1"_s));
    }

    void selectReadsTypedValues()
    {
        ado::Recordset rs;
        rs.Open(u"select * from pLoansIssue where liID = 1"_s, m_db);
        QCOMPARE(rs.value(u"LIID"_s), QVariant(qint64(1)));
        QCOMPARE(rs.value(u"liNo"_s), QVariant(u"LN1"_s));
        QCOMPARE(rs.value(u"liOpeningBalance"_s), QVariant(1000.5));
        QCOMPARE(rs.value(u"lidate"_s), QVariant(QDate(2003, 2, 13)));
        QVERIFY(rs.value(u"liRemarks"_s).isNull());
    }

    void integrityViolationNumber()
    {
        QString description;
        QCOMPARE(
            errorNumberOf(
                [&] { m_db.Execute(u"insert into pLoansIssue (liID, liNo) values (2, 'LN1')"_s); },
                &description),
            RuntimeError::IntegrityViolation);
        QVERIFY2(description.contains(u"UNIQUE"_s), qPrintable(description));
    }

    // The report reads the data source the register's log-on names; a failure to log on never
    // shows the password, even where the driver repeats it in the name it could not find.
    void reportLogsOnToTheDataSourceAndHidesThePassword()
    {
        QFile report(m_dir.filePath(u"issue.rpt"_s));
        QVERIFY(report.open(QIODevice::WriteOnly));
        report.write("[query issue]\nrows = one\nsql = select liNo from pLoansIssue\n"
                     "[title]\nheading = {issue.liNo}\n");
        report.close();
        const QString password = u"tarnbelqowd"_s;
        const auto run = [&](const QString& dataSource) {
            rpt::ReportEngine engine(m_db);
            engine.LogOnServer(u"pdsodbc.dll"_s, dataSource, u"payroll"_s, password, password);
            engine.setReportFileName(report.fileName());
            engine.setAction(1);
        };
        rpt::RecordingPreviewPresenter presenter;
        run(u"ostreltest"_s);
        QCOMPARE(presenter.shown().front().pages.front().front(), u"LN1"_s);

        const QString failure = failureOf([&] { run(u"dsn_"_s + password.toUpper()); });
        QVERIFY2(failure.startsWith(u"The report could not log on to the data source"),
                 qPrintable(failure));
        QVERIFY2(!failure.contains(password, Qt::CaseInsensitive), qPrintable(failure));
    }
};

QTEST_MAIN(OdbcTest)

#include "OdbcTest.moc"
