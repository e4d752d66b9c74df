#include "RaisedError.h"

#include "db/Recordset.h"

#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

// The ODBC path, against the SQLite ODBC driver: statements pass unchanged, values read and
// written as on the embedded engine, integrity violations carry the same number.
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
    }

    // A connection string that names its data source with DSN= reaches that data source.
    void dataSourceNamedInTheConnectionString_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::newRow("bare name") << "odbc:ostreltest";
        QTest::newRow("DSN= with options") << "odbc:DSN=ostreltest;Timeout=2000";
    }
    void dataSourceNamedInTheConnectionString()
    {
        QFETCH(QString, connection);
        QFile ini(m_dir.filePath(QStringLiteral("odbc.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ostreltest]\nDriver=SQLite3\nDatabase=" +
                  m_dir.filePath(QStringLiteral("odbc.db")).toLocal8Bit() + "\n");
        ini.close();
        qputenv("ODBCINI", ini.fileName().toLocal8Bit());
        ado::Connection viaDsn;
        viaDsn.Open(connection);
        QCOMPARE(
            viaDsn.ExecuteScalar(QStringLiteral("select liNo from pLoansIssue where liID = 1")),
            QVariant(QStringLiteral("LN1")));
    }

    void statementsPassUnchanged()
    {
        const QString sql =
            QStringLiteral("select isnull(len(x),0) from t where a=1and b='20030213'");
        QVERIFY(!m_db.isSqlite());
        QCOMPARE(m_db.adapt(sql), sql);
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
};

QTEST_GUILESS_MAIN(OdbcTest)

#include "OdbcTest.moc"
