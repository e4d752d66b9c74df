// Short runs of the stress program's two proofs: clerks saving at once, and a clerk killed
// mid-save. scripts/stress runs them at full size.

#include "CrashRun.h"
#include "StressDatabase.h"
#include "StressRun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int payrollHost(const QStringList& arguments)
{
    QProcess host;
    host.start(QStringLiteral(PAYROLL_HOST), arguments);
    host.waitForFinished(120000);
    const int exitCode = host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
    if (exitCode != 0)
        qWarning().noquote() << host.readAll();
    return exitCode;
}

} // namespace

class ConcurrencyProofTest : public QObject
{
    Q_OBJECT

private slots:
    // The host's backup is taken while they save: no save waits past the lock timeout, and the
    // copy holds every save reported before it began and no half-written one.
    void clerksAtOnceStoreEverySaveOnce()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(u"stress.db"_s);
        const QString copy = dir.filePath(u"backup.db"_s);
        QHash<qint32, QString> savedBefore;
        int backedUp = -1;
        stress::StressPlan plan{3, 12, 7, 0, [&](const QHash<qint32, QString>& savedSoFar) {
                                    savedBefore = savedSoFar;
                                    backedUp = payrollHost({"--db", database, "--backup", copy});
                                }};
        const stress::StressResult result =
            stress::runStress(QStringLiteral(STRESS_PROGRAM), database, plan);
        QVERIFY2(result.passed(), qPrintable(result.table()));
        QCOMPARE(result.saved, 36);
        QCOMPARE(result.audit.issues, 36);
        QCOMPARE(result.busy + result.otherFailures, 0);

        QCOMPARE(backedUp, 0);
        QVERIFY(savedBefore.size() < 36);
        QCOMPARE(payrollHost({"--db", copy, "--check"}), 0);
        const auto copied = stress::generatedIssues(copy);
        const auto stored = stress::generatedIssues(database);
        for (auto it = savedBefore.cbegin(); it != savedBefore.cend(); ++it)
            QCOMPARE(copied.value(it.key()).number, it.value());
        for (auto it = copied.cbegin(); it != copied.cend(); ++it)
            QCOMPARE(it->number, stored.value(it.key()).number);
        const stress::DatabaseAudit audit = stress::DatabaseAudit::of(copy);
        QVERIFY2(audit.sound(), qPrintable(audit.faults()));
    }

    void killedClerkLeavesNoHalfWrittenIssue()
    {
        QTemporaryDir dir;
        const stress::CrashResult result = stress::runCrashTest(
            QStringLiteral(STRESS_PROGRAM), dir.filePath(u"crash.db"_s), 20, 11);
        QVERIFY2(result.passed(), qPrintable(result.firstFault));
        QCOMPARE(result.kills, 20);
    }
};

QTEST_MAIN(ConcurrencyProofTest)

#include "ConcurrencyProofTest.moc"
