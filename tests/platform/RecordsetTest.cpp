#include "DbFixture.h"
#include "RaisedError.h"
#include "db/ConnectionTestSeam.h"

#include "db/Recordset.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

// Module-wide connections, one never opened and one left open, outlive the application object
// and Qt's SQL registry: ending the process must not crash.
ado::ConnectionPtr moduleWide[2];

} // namespace

// Record sets: reading, adding and changing rows, conflicts, transactions, injected faults and
// a second process holding the write lock.
class RecordsetTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    ado::Connection m_db;

    const QString m_issues = QStringLiteral("select * from pLoansIssue where  liCompanyID=1");

    qint64 scalar(const QString& sql) { return m_db.ExecuteScalar(sql).toLongLong(); }

    void openForChanges(ado::Recordset& rs, ado::LockType lock = ado::LockType::Optimistic)
    {
        rs.Open(m_issues, m_db, ado::CursorType::Keyset, lock);
    }
    // Adds an issue of company 1 to the set, not yet written.
    static void addRow(ado::Recordset& rs, int id)
    {
        rs.AddNew();
        rs.setValue(QStringLiteral("liCompanyID"), 1);
        rs.setValue(QStringLiteral("liID"), id);
    }

private slots:
    void initTestCase()
    {
        for (auto& connection : moduleWide)
            connection = std::make_shared<ado::Connection>();
        moduleWide[1]->Open(QStringLiteral(":memory:"));
    }

    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(m_path);
        m_db.Open(m_path);
        DbFixture::createTables(m_db);
        DbFixture::addIssue(m_db, 5, QStringLiteral("LN5"), QStringLiteral("2003-02-13"));
    }
    void cleanup() { m_db.Close(); }

    // Typed values are what every module test reads; here the refusals and the cursor's end.
    void fieldsAndTypes()
    {
        ado::Recordset rs;
        rs.Open(m_issues, m_db);
        QCOMPARE(rs.value(QStringLiteral("lidate")), QVariant(QDate(2003, 2, 13)));
        QCOMPARE(rs.fieldName(3), QStringLiteral("liNo"));
        QVERIFY(errorNumberOf([&] { rs.AddNew(); }) != 0); // a read-only set refuses rows
        QCOMPARE(errorNumberOf([&] { rs.value(QStringLiteral("noSuchField")); }),
                 RuntimeError::ItemNotFound);
        rs.MoveNext();
        QVERIFY(errorNumberOf([&] { rs.value(0); }) != 0);
        // All rows are read at open: the engine keeps no statement of the record set.
        QCOMPARE(sqlite3_next_stmt(m_db.sqliteHandle(), nullptr), nullptr);
    }

    void closedObjects()
    {
        ado::Connection never;
        ado::Recordset rs;
        QString description;
        QCOMPARE(errorNumberOf([&] { rs.Open(QStringLiteral("select 1"), never); }, &description),
                 RuntimeError::OperationNotAllowed);
        QCOMPARE(description,
                 QStringLiteral("Operation is not allowed when the object is closed."));
        QCOMPARE(errorNumberOf([&] { never.Open(m_dir.filePath(QStringLiteral("no/such.db"))); },
                               &description),
                 RuntimeError::DatabaseFailure);
        QVERIFY(!never.isOpen());
        QCOMPARE(description, QStringLiteral("unable to open database file"));
        QCOMPARE(errorNumberOf([&] { m_db.Open(m_path); }), qint32(0x800A0E79));
    }

    // The save opens every issue of the company only to add one: the set must not read them.
    void addingRowsReadsNone()
    {
        const QString unreadable =
            QStringLiteral("select *, convert(int, liNo) from pLoansIssue where  liCompanyID=1");
        ado::Recordset rs;
        rs.Open(unreadable, m_db, ado::CursorType::Keyset, ado::LockType::Optimistic);
        addRow(rs, 6);
        rs.Update();
        QCOMPARE(rs.RecordCount(), qint64(1));
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssue")), qint64(2));
        rs.Open(unreadable, m_db);
        QCOMPARE(errorNumberOf([&] { rs.isEOF(); }), RuntimeError::DatabaseFailure);
    }

    void dateAssignment_data()
    {
        QTest::addColumn<QVariant>("assigned");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("a date") << QVariant(QDate(2003, 2, 1)) << QDate(2003, 2, 1);
        QTest::newRow("no date") << QVariant(QStringLiteral("31 Feb")) << QDate();
        QTest::newRow("empty text") << QVariant(QString()) << QDate();
    }
    void dateAssignment()
    {
        QFETCH(QVariant, assigned);
        QFETCH(QDate, stored);
        ado::Recordset rs;
        openForChanges(rs);
        QString description;
        const qint32 error =
            errorNumberOf([&] { rs.setValue(QStringLiteral("lidate"), assigned); }, &description);
        if (!stored.isValid()) {
            QCOMPARE(error, RuntimeError::TypeMismatch);
            QVERIFY2(description.contains(QStringLiteral("not a date")), qPrintable(description));
            return;
        }
        rs.Update();
        QCOMPARE(m_db.ExecuteScalar(QStringLiteral("select lidate || typeof(lidate) from "
                                                   "pLoansIssue where liID = 5")),
                 QVariant(stored.toString(Qt::ISODate) + QStringLiteral("text")));
    }

    // Another clerk's change to a column this set does not touch is kept; a change to one it
    // read is a conflict, and theirs stays.
    void updateWritesOnlyChangedFieldsAndRefusesConflicts()
    {
        ado::Connection other;
        other.Open(m_path);
        ado::Recordset rs;
        openForChanges(rs);
        QCOMPARE(rs.value(QStringLiteral("liempid")), QVariant(qint64(7)));
        other.Execute(QStringLiteral("update pLoansIssue set liempid = 9 where liID = 5"));
        rs.setValue(QStringLiteral("liRemarks"), QStringLiteral("first"));
        rs.Update();
        rs.setValue(QStringLiteral("liRemarks"), QStringLiteral("second"));
        rs.Update();
        QCOMPARE(m_db.ExecuteScalar(QStringLiteral("select liRemarks || liempid from pLoansIssue")),
                 QVariant(QStringLiteral("second9")));

        other.Execute(QStringLiteral("update pLoansIssue set liRemarks = 'theirs' where liID = 5"));
        rs.setValue(QStringLiteral("liRemarks"), QStringLiteral("mine"));
        QString description;
        QCOMPARE(errorNumberOf([&] { rs.Update(); }, &description), RuntimeError::RowNotLocated);
        QCOMPARE(description, QStringLiteral("Row cannot be located for updating. Some values may "
                                             "have been changed since it was last read."));
        QCOMPARE(m_db.ExecuteScalar(QStringLiteral("select liRemarks from pLoansIssue")),
                 QVariant(QStringLiteral("theirs")));
    }

    void duplicateKeyIsAnIntegrityViolation_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("number");
        QTest::newRow("same id") << 5 << "LN9";
        QTest::newRow("same number in other case") << 9 << "ln5 ";
    }
    void duplicateKeyIsAnIntegrityViolation()
    {
        QFETCH(int, id);
        QFETCH(QString, number);
        ado::Recordset rs;
        openForChanges(rs);
        addRow(rs, id);
        rs.setValue(QStringLiteral("litype"), QStringLiteral("L"));
        rs.setValue(QStringLiteral("liNo"), number);
        QString description;
        QCOMPARE(errorNumberOf([&] { rs.Update(); }, &description),
                 RuntimeError::IntegrityViolation);
        QVERIFY2(description.contains(QStringLiteral("UNIQUE constraint failed")),
                 qPrintable(description));
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssue")), qint64(1));
    }

    // A save as the entry window makes it: begin, open, add, write, mark repayments, commit.
    void injectedFaultFailsTheChosenStatement_data()
    {
        QTest::addColumn<int>("failing");
        const char* steps[] = {"begin", "open", "insert", "repayment update", "commit"};
        for (int i = 0; i < 5; ++i)
            QTest::addRow("%s", steps[i]) << i + 1;
    }
    void injectedFaultFailsTheChosenStatement()
    {
        QFETCH(int, failing);
        ado::ConnectionTestSeam::failStatementAt(m_db, failing);
        const int before = ado::ConnectionTestSeam::statementsSent(m_db);
        QString description;
        const qint32 error = errorNumberOf(
            [&] {
                m_db.BeginTrans();
                ado::Recordset rs;
                openForChanges(rs);
                addRow(rs, 6);
                rs.Update();
                m_db.Execute(QStringLiteral("update ploanrepaymentdetails set lrdProcessed = 1"));
                m_db.CommitTrans();
            },
            &description);
        QCOMPARE(error, RuntimeError::DatabaseFailure);
        QCOMPARE(description, QStringLiteral("Injected failure at statement %1").arg(failing));
        QCOMPARE(ado::ConnectionTestSeam::statementsSent(m_db) - before, failing);
        if (m_db.inTransaction())
            m_db.RollbackTrans();
        QCOMPARE(scalar(QStringLiteral("select count(*) from pLoansIssue")), qint64(1));
        // The failure is injected once only.
        QCOMPARE(scalar(QStringLiteral("select 7")), qint64(7));
    }
    // Two clerks saving at once, each in its own process: this BEGIN waits for the other
    // process's commit instead of failing, and then sees its row.
    void secondSaveWaitsForTheFirst()
    {
        m_db.Execute(QStringLiteral("create table saves (clerk varchar(10))"));
        QProcess first;
        first.start(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/db_write_lock_holder"),
                    {m_path});
        QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
        while (!first.canReadLine())
            QVERIFY2(first.waitForReadyRead(10000), first.readAllStandardError().constData());
        QCOMPARE(first.readLine().trimmed(), QByteArray("locked"));

        m_db.BeginTrans();
        QCOMPARE(m_db.ExecuteScalar(QStringLiteral("select group_concat(clerk) from saves")),
                 QVariant(QStringLiteral("first")));
        m_db.Execute(QStringLiteral("insert into saves values ('second')"));
        m_db.CommitTrans();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from saves")), qint64(2));
    }
};

QTEST_GUILESS_MAIN(RecordsetTest)

#include "RecordsetTest.moc"
