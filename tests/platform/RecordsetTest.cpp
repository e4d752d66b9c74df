#include "DbFixture.h"
#include "RaisedError.h"
#include "db/ConnectionTestSeam.h"

#include "db/Recordset.h"
#include "db/Transaction.h"
#include "runtime/RuntimeError.h"
#include "ui/LockWaitIndicator.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

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

    const QString m_issues = u"select * from pLoansIssue where  liCompanyID=1"_s;

    qint64 scalar(const QString& sql) { return m_db.ExecuteScalar(sql).toLongLong(); }

    void openForChanges(ado::Recordset& rs, ado::LockType lock = ado::LockType::Optimistic)
    {
        rs.Open(m_issues, m_db, ado::CursorType::Keyset, lock);
    }
    // Adds an issue of company 1 to the set, not yet written.
    static void addRow(ado::Recordset& rs, int id)
    {
        rs.AddNew();
        rs.setValue(u"liCompanyID"_s, 1);
        rs.setValue(u"liID"_s, id);
    }

private slots:
    void initTestCase()
    {
        for (auto& connection : moduleWide)
            connection = std::make_shared<ado::Connection>();
        moduleWide[1]->Open(u":memory:"_s);
    }

    void init()
    {
        m_path = m_dir.filePath(u"%1.db"_s.arg(QTest::currentTestFunction()));
        QFile::remove(m_path);
        m_db.Open(m_path);
        DbFixture::createTables(m_db);
        DbFixture::addIssue(m_db, 5, u"LN5"_s, u"2003-02-13"_s);
    }
    void cleanup() { m_db.Close(); }

    // Typed values are what every module test reads; here the refusals and the cursor's end.
    void fieldsAndTypes()
    {
        ado::Recordset rs;
        rs.Open(m_issues, m_db);
        QCOMPARE(rs.value(u"lidate"_s), QVariant(QDate(2003, 2, 13)));
        QCOMPARE(rs.fieldName(3), u"liNo"_s);
        QVERIFY(errorNumberOf([&] { rs.AddNew(); }) != 0); // a read-only set refuses rows
        QCOMPARE(errorNumberOf([&] { rs.value(u"noSuchField"_s); }), RuntimeError::ItemNotFound);
        rs.MoveNext();
        QVERIFY(errorNumberOf([&] { rs.value(0); }) != 0);
        // All rows are read at open: the engine keeps no statement of the record set.
        QCOMPARE(sqlite3_next_stmt(ado::ConnectionTestSeam::sqliteHandle(m_db), nullptr), nullptr);
    }

    // The save opens every issue of the company only to add one: the set must not read them.
    void addingRowsReadsNone()
    {
        const QString unreadable =
            u"select *, convert(int, liNo) from pLoansIssue where  liCompanyID=1"_s;
        ado::Recordset rs;
        rs.Open(unreadable, m_db, ado::CursorType::Keyset, ado::LockType::Optimistic);
        addRow(rs, 6);
        rs.Update();
        QCOMPARE(rs.RecordCount(), qint64(1));
        QCOMPARE(scalar(u"select count(*) from pLoansIssue"_s), qint64(2));
        rs.Open(unreadable, m_db);
        QCOMPARE(errorNumberOf([&] { rs.isEOF(); }), RuntimeError::DatabaseFailure);
    }

    void dateAssignment_data()
    {
        QTest::addColumn<QVariant>("assigned");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("a date") << QVariant(QDate(2003, 2, 1)) << QDate(2003, 2, 1);
        QTest::newRow("no date") << QVariant(u"31 Feb"_s) << QDate();
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
            errorNumberOf([&] { rs.setValue(u"lidate"_s, assigned); }, &description);
        if (!stored.isValid()) {
            QCOMPARE(error, RuntimeError::TypeMismatch);
            QVERIFY2(description.contains(u"not a date"_s), qPrintable(description));
            return;
        }
        rs.Update();
        QCOMPARE(m_db.ExecuteScalar(u"select lidate || typeof(lidate) from "
                                    "pLoansIssue where liID = 5"_s),
                 QVariant(stored.toString(Qt::ISODate) + u"text"_s));
    }

    // Another clerk's change to a column this set does not touch is kept; a change to one it
    // read is a conflict, and theirs stays.
    void updateWritesOnlyChangedFieldsAndRefusesConflicts()
    {
        ado::Connection other;
        other.Open(m_path);
        ado::Recordset rs;
        openForChanges(rs);
        QCOMPARE(rs.value(u"liempid"_s), QVariant(qint64(7)));
        other.Execute(u"update pLoansIssue set liempid = 9 where liID = 5"_s);
        rs.setValue(u"liRemarks"_s, u"first"_s);
        rs.Update();
        rs.setValue(u"liRemarks"_s, u"second"_s);
        rs.Update();
        QCOMPARE(m_db.ExecuteScalar(u"select liRemarks || liempid from pLoansIssue"_s),
                 QVariant(u"second9"_s));

        other.Execute(u"update pLoansIssue set liRemarks = 'theirs' where liID = 5"_s);
        rs.setValue(u"liRemarks"_s, u"mine"_s);
        QString description;
        QCOMPARE(errorNumberOf([&] { rs.Update(); }, &description), RuntimeError::RowNotLocated);
        QCOMPARE(description, u"Row cannot be located for updating. Some values may "
                              "have been changed since it was last read."_s);
        QCOMPARE(m_db.ExecuteScalar(u"select liRemarks from pLoansIssue"_s), QVariant(u"theirs"_s));
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
        rs.setValue(u"litype"_s, u"L"_s);
        rs.setValue(u"liNo"_s, number);
        QString description;
        QCOMPARE(errorNumberOf([&] { rs.Update(); }, &description),
                 RuntimeError::IntegrityViolation);
        QVERIFY2(description.contains(u"UNIQUE constraint failed"_s), qPrintable(description));
        QCOMPARE(scalar(u"select count(*) from pLoansIssue"_s), qint64(1));
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
                m_db.Execute(u"update ploanrepaymentdetails set lrdProcessed = 1"_s);
                m_db.CommitTrans();
            },
            &description);
        QCOMPARE(error, RuntimeError::DatabaseFailure);
        QCOMPARE(description, u"Injected failure at statement %1"_s.arg(failing));
        QCOMPARE(ado::ConnectionTestSeam::statementsSent(m_db) - before, failing);
        if (m_db.inTransaction())
            m_db.RollbackTrans();
        QCOMPARE(scalar(u"select count(*) from pLoansIssue"_s), qint64(1));
        // The failure is injected once only.
        QCOMPARE(scalar(u"select 7"_s), qint64(7));
    }
    // A save into a file deleted or renamed away would be lost: refused before it writes.
    void saveRefusedOnceTheFileIsGone_data()
    {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("deleted") << false;
        QTest::newRow("renamed away") << true;
    }
    void saveRefusedOnceTheFileIsGone()
    {
        QFETCH(bool, renamed);
        QVERIFY(renamed ? QFile::rename(m_path, m_path + u".moved"_s) : QFile::remove(m_path));
        try {
            ado::Transaction save(m_db);
            QFAIL("the save began");
        } catch (const RuntimeError& error) {
            QVERIFY2(error.description().contains(u"open them again"_s),
                     qPrintable(error.description()));
        }
        QVERIFY(!m_db.inTransaction());
    }
    // Two clerks saving at once, each in its own process: this BEGIN waits for the other
    // process's commit instead of failing, and then sees its row. The wait is shown, and keys
    // typed meanwhile go nowhere, while timers still run. The other process commits only once
    // this wait has been seen, so the BEGIN cannot have ended before it.
    void secondSaveWaitsForTheFirst()
    {
        LockWaitIndicator::install();
        QLineEdit entry;
        entry.show();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        QProcess first;
        m_db.Execute(u"create table saves (clerk varchar(10))"_s);
        first.start(QCoreApplication::applicationDirPath() + u"/db_write_lock_holder"_s, {m_path});
        QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
        while (!first.canReadLine())
            QVERIFY2(first.waitForReadyRead(10000), first.readAllStandardError().constData());
        QCOMPARE(first.readLine().trimmed(), QByteArray("locked"));

        // Counted from here: the BEGIN below is what the notice waits on.
        bool busy = false;
        bool noticed = false;
        QTimer::singleShot(LockWaitIndicator::NoticeAfterMs + 200, &entry, [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            busy = cursor && cursor->shape() == Qt::WaitCursor;
            for (const QWidget* w : QApplication::topLevelWidgets())
                noticed =
                    noticed || (w->isVisible() &&
                                w->objectName() == QLatin1String(LockWaitIndicator::NoticeName));
            QTest::keyClicks(&entry, u"lost"_s);
            first.write("commit\n");
        });
        m_db.BeginTrans();
        QCOMPARE(m_db.ExecuteScalar(u"select group_concat(clerk) from saves"_s),
                 QVariant(u"first"_s));
        QVERIFY(busy && noticed);
        QCOMPARE(entry.text(), QString());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        m_db.Execute(u"insert into saves values ('second')"_s);
        m_db.CommitTrans();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(scalar(u"select count(*) from saves"_s), qint64(2));
    }
};

QTEST_MAIN(RecordsetTest)

#include "RecordsetTest.moc"
