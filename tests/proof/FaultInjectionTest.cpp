// A failure at any statement of a new issue's save, of an edit save or of a cancellation leaves
// nothing of it behind and is shown to the clerk.
#include "ModalWatch.h"
#include "ProofFixture.h"
#include "db/ConnectionTestSeam.h"

#include "StressDatabase.h"

#include "cancel/frmCancel.h"
#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "issue_entry/frmLoan.h"
#include "register/FrmMaster.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The few statements a flow may send before its first failure point is reached are all of it:
// a flow that keeps failing beyond this is taken to loop.
constexpr int MostStatements = 60;

// The issues, the repayment rows and the register's rows.
QString state(ProofFixture& f)
{
    return f.row(u"select count(*), max(liID), group_concat(liNo), group_concat(liRemarks), "
                 "sum(licancelled), group_concat(liCancelledRemarks), (select sum(lrdProcessed) "
                 "from ploanrepaymentdetails) from pLoansIssueData"_s) +
           u'|' + QString::number(FrmMaster::instance().flexMaster->Rows());
}

// Makes statement 1, 2, ... of the attempt fail in turn until the attempt commits: every failed
// attempt is told in one message and leaves everything as it was.
void failEachStatementInTurn(ProofFixture& f, const std::function<bool()>& attempt)
{
    const QString before = state(f);
    int n = 1;
    for (; n <= MostStatements; ++n) {
        f.messages().clear();
        ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), n);
        const bool committed = attempt();
        ado::ConnectionTestSeam::failStatementAt(BasLoan::adocon(), 0);
        if (committed)
            break;
        const QString at = u"failure at statement %1"_s.arg(n);
        QVERIFY2(f.messages().shown().size() == 1, qPrintable(at));
        QCOMPARE(state(f), before);
    }
    // Every statement up to and including the commit was made to fail once.
    QVERIFY(n > 4 && n <= MostStatements);
    QVERIFY(state(f) != before);
}

} // namespace

class FaultInjectionTest : public QObject
{
    Q_OBJECT

private slots:
    void savingFailingAtAnyStatementChangesNothing_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::newRow("new issue") << false;
        QTest::newRow("edit") << true;
    }
    void savingFailingAtAnyStatementChangesNothing()
    {
        QFETCH(bool, edit);
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        QVERIFY(id > 0);
        FrmMaster& reg = f.openRegister(2, id);
        bool keptOpen = true;
        // A failed check leaves no modal window waiting for a person: the watch closes it.
        const ModalWatch<frmLoan> watch([&](frmLoan& entry) {
            if (!edit) {
                const int employee = stress::FirstEmployee + 1;
                entry.cboEmployee->setCurrentIndex(entry.cboEmployee->findData(employee));
                entry.cboloanapplication->setCurrentIndex(0);
            }
            int attempts = 0;
            failEachStatementInTurn(f, [&] {
                entry.txtRemarks->setText(u"saved at %1"_s.arg(++attempts));
                entry.cmdOK_Click();
                const bool committed = BasLoan::Tag(entry.cmdOK) == u"Success";
                // A failed save leaves the window open for another try.
                keptOpen =
                    keptOpen && (committed || (entry.isVisible() && entry.cmdOK->isEnabled()));
                return committed;
            });
        });
        (edit ? reg.CmdEdit : reg.cmdnew)->click();
        QVERIFY(keptOpen);
    }

    void cancellationFailingAtAnyStatementChangesNothing()
    {
        ProofFixture f;
        const qint32 id = f.saveLiveIssue();
        QVERIFY(id > 0);
        f.openRegister(2, id);
        failEachStatementInTurn(f, [&] {
            frmCancel& dialog = frmCancel::instance();
            dialog.txtcanreason->setText(u"duplicate entry"_s);
            dialog.cmdOK->click();
            frmCancel::Unload();
            // Told nothing: taken as done, which the changed state must then bear out.
            return f.messages().shown().isEmpty();
        });
    }
};

QTEST_MAIN(FaultInjectionTest)

#include "FaultInjectionTest.moc"
