// Short runs of the stress program's two proofs: clerks saving at once, and a clerk killed
// mid-save. scripts/stress runs them at full size.
#include "ProofTests.h"

#include "CrashRun.h"
#include "StressRun.h"

#include <QTemporaryDir>
#include <QTest>

class ConcurrencyProofTest : public QObject
{
    Q_OBJECT

private slots:
    void clerksAtOnceStoreEverySaveOnce()
    {
        QTemporaryDir dir;
        const stress::StressResult result = stress::runStress(
            QStringLiteral(STRESS_PROGRAM), dir.filePath(QStringLiteral("stress.db")), 3, 12, 7);
        QVERIFY2(result.passed(), qPrintable(result.table()));
        QCOMPARE(result.saved, 36);
        QCOMPARE(result.audit.issues, 36);
    }

    void killedClerkLeavesNoHalfWrittenIssue()
    {
        QTemporaryDir dir;
        const stress::CrashResult result = stress::runCrashTest(
            QStringLiteral(STRESS_PROGRAM), dir.filePath(QStringLiteral("crash.db")), 20, 11);
        QVERIFY2(result.passed(), qPrintable(result.firstFault));
        QCOMPARE(result.kills, 20);
    }
};

int runConcurrencyProofTests(int argc, char** argv)
{
    ConcurrencyProofTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ConcurrencyProofTest.moc"
