#include "DbTests.h"

#include "platform/db/Connection.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Two clerks saving at once, each in its own process.
class ConcurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void secondSaveWaitsForTheFirst()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("payroll.db"));
        ado::Connection db;
        db.Open(path);
        db.Execute(QStringLiteral("create table saves (clerk varchar(10))"));

        QProcess first;
        first.start(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/db_write_lock_holder"),
                    {path});
        QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
        while (!first.canReadLine())
            QVERIFY2(first.waitForReadyRead(10000), first.readAllStandardError().constData());
        QCOMPARE(first.readLine().trimmed(), QByteArray("locked"));

        // The first clerk holds the write lock: this BEGIN waits for its commit instead of
        // failing, and then sees its row.
        db.BeginTrans();
        QCOMPARE(db.ExecuteScalar(QStringLiteral("select group_concat(clerk) from saves")),
                 QVariant(QStringLiteral("first")));
        db.Execute(QStringLiteral("insert into saves values ('second')"));
        db.CommitTrans();

        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(db.ExecuteScalar(QStringLiteral("select count(*) from saves")),
                 QVariant(qint64(2)));
    }
};

int runConcurrencyTests(int argc, char** argv)
{
    ConcurrencyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ConcurrencyTest.moc"
