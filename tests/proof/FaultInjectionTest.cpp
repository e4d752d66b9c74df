// A failure at any statement of an edit save or of a cancellation leaves nothing of it behind
// and is shown to the clerk. (The new issue's save is proved the same way with the entry window.)
#include "ProofFixture.h"
#include "db/ConnectionTestSeam.h"

#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The few statements a flow may send before its first failure point is reached are all of it:
// a flow that keeps failing beyond this is taken to loop.
constexpr int MostStatements = 60;

QString issueState(ProofFixture& f, qint32 id)
{
    return f.row(u"select liNo, liRemarks, licancelled, liCancelledRemarks, "
                 "liOpeningBalance, liCurrentBalance from pLoansIssueData where "
                 "liCompanyID = 1 and liID = %1"_s.arg(id));
}

QString repaymentState(ProofFixture& f)
{
    return f.row(u"select count(*), sum(lrdProcessed) from ploanrepaymentdetails"_s);
}

} // namespace

class FaultInjectionTest : public QObject
{
    Q_OBJECT

private slots:
    void editSaveFailingAtAnyStatementChangesNothing()
    {
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        QVERIFY(id > 0);
        const QString before = issueState(f, id);
        const QString repayments = repaymentState(f);
        FrmMaster& reg = f.openRegister(2, id);

        int failedAt = 0;
        bool committed = false;
        QTimer::singleShot(0, [&] {
            frmLoan& entry = frmLoan::instance();
            // A failed check must not leave the modal window waiting for a person.
            const auto close = qScopeGuard([&entry] {
                if (entry.isVisible())
                    entry.done(QDialog::Rejected);
            });
            for (int n = 1; n <= MostStatements && !committed; ++n) {
                f.messages().clear();
                entry.txtRemarks->setText(u"edited at %1"_s.arg(n));
                ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), n);
                entry.cmdOK_Click();
                ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), 0);
                committed = BasLoan::Tag(entry.cmdOK) == u"Success";
                if (committed)
                    break;
                failedAt = n;
                const QString at = u"failure at statement %1"_s.arg(n);
                QVERIFY2(f.messages().shown().size() == 1, qPrintable(at));
                QVERIFY2(entry.isVisible() && entry.cmdOK->isEnabled(), qPrintable(at));
                QCOMPARE(issueState(f, id), before);
            }
        });
        reg.CmdEdit->click();
        QVERIFY(committed);
        // Every statement up to and including the commit was made to fail once.
        QVERIFY(failedAt >= 5);
        QVERIFY(issueState(f, id).contains(u"edited at %1"_s.arg(failedAt + 1)));
        QCOMPARE(repaymentState(f), repayments);
    }

    void cancellationFailingAtAnyStatementChangesNothing()
    {
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        QVERIFY(id > 0);
        const QString before = issueState(f, id);
        f.openRegister(2, id);

        int failedAt = 0;
        for (int n = 1; n <= MostStatements; ++n) {
            f.messages().clear();
            frmCancel& dialog = frmCancel::instance();
            dialog.txtcanreason->setText(u"duplicate entry"_s);
            ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), n);
            dialog.cmdOK->click();
            ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), 0);
            frmCancel::Unload();
            if (issueState(f, id) != before)
                break;
            failedAt = n;
            QVERIFY2(f.messages().shown().size() == 1,
                     qPrintable(u"failure at statement %1"_s.arg(n)));
        }
        QVERIFY(failedAt >= 4);
        QVERIFY(f.messages().shown().isEmpty());
        QVERIFY(issueState(f, id).contains(u"|1|clerk:duplicate entry |"_s));
    }
};

QTEST_MAIN(FaultInjectionTest)

#include "FaultInjectionTest.moc"
