#include "cancel/frmCancel.h"

#include "cancel/CancellationStatements.h"
#include "cancel/IssueCancellation.h"
#include "common/BasLoan.h"
#include "common/GuardedHandler.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "grid/KeyCodes.h"
#include "issue_entry/SaveFailureMessage.h"
#include "runtime/Conversions.h"
#include "ui/MessageBox.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The designed client area (6360 x 510 twips) for the one row of controls, widened for Cancel
// and deepened for the line under the box that tells the room left.
constexpr int ClientWidth = 7470;
constexpr int ClientHeight = 780;

constexpr int ReasonMaxLength = 200;

// The issue's number, beside its id in the register's current row.
QString currentIssueNumber()
{
    const FlexGrid* grid = BasLoan::flexMaster();
    const QString number = grid ? grid->TextMatrix(grid->Row(), 1) : QString();
    return number.isEmpty() ? u"this issue"_s : number;
}

} // namespace

frmCancel::frmCancel()
{
    layoutControls();
    connectGuarded(cmdOK, &QPushButton::clicked, this, &frmCancel::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtcanreason, &QLineEdit::textChanged, this, &frmCancel::showRoomLeft);
    showRoomLeft();
    txtcanreason->installEventFilter(this);
}

void frmCancel::layoutControls()
{
    setObjectName(u"frmCancel"_s);

    Label1 = new QLabel(u"&Reason :"_s, this);
    Label1->setObjectName(u"Label1"_s);
    // A little left of its designed place, so the caption ends a gap before the box.
    Label1->setGeometry(Twips::rect(45, 135, 780, 255));

    txtcanreason = new QLineEdit(this);
    txtcanreason->setObjectName(u"txtcanreason"_s);
    txtcanreason->setGeometry(Twips::rect(930, 90, 4200, 330));
    txtcanreason->setMaxLength(ReasonMaxLength);
    Label1->setBuddy(txtcanreason);

    cmdOK = new QPushButton(u"&OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setGeometry(Twips::rect(5250, 60, 990, 390));

    // Closes the dialog as its close box does: nothing is cancelled.
    cmdCancel = new QPushButton(u"Cancel"_s, this);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    cmdCancel->setGeometry(Twips::rect(6345, 60, 990, 390));

    lblRoomLeft = new QLabel(this);
    lblRoomLeft->setObjectName(u"lblRoomLeft"_s);
    lblRoomLeft->setGeometry(Twips::rect(930, 450, 4200, 255));
    lblRoomLeft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    setTabOrder(txtcanreason, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
}

void frmCancel::showRoomLeft()
{
    const int left = ReasonMaxLength - int(txtcanreason->text().size());
    lblRoomLeft->setText(
        left > 0 ? u"%1 of %2 characters left"_s.arg(left).arg(ReasonMaxLength)
                 : u"No room left: a reason holds %1 characters"_s.arg(ReasonMaxLength));
}

void frmCancel::Form_Load()
{
    setWindowTitle(u"Reason For Deletion"_s);
    setFixedSize(Twips::toPixelsX(ClientWidth), Twips::toPixelsY(ClientHeight));
}

bool frmCancel::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == txtcanreason && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter only moves on to OK; the dialog must not take it as pressing its default
            // button.
            qint16 KeyAscii = key_codes::Enter;
            guarded([&] { txtcanreason_KeyPress(KeyAscii); });
            return true;
        }
    }
    return SingleInstanceForm::eventFilter(watched, e);
}

void frmCancel::txtcanreason_KeyPress(qint16& KeyAscii)
{
    if (KeyAscii == key_codes::Enter)
        cmdOK->setFocus();
}

void frmCancel::cmdOK_Click()
{
    const QString reason = vb::Trim(txtcanreason->text());
    if (reason.isEmpty()) {
        msgbox::MsgBox(u"Enter reason for deletion"_s, msgbox::vbInformation, BasLoan::MsgboxTitle);
        txtcanreason->setFocus();
        return;
    }
    // A user the company does not know is named by id, so that the reason is never lost.
    const QString remark = CancellationStatements::remark(
        cancellingUserName().value_or(u"user "_s + QString::number(BasLoan::intUserID)), reason);

    IssueCancellation::Outcome outcome;
    try {
        outcome = IssueCancellation::cancelLiveIssue(BasLoan::adocon(), remark,
                                                     BasLoan::currentIssueIdText());
    } catch (const RuntimeError& e) {
        if (!keptBusy(e))
            throw;
        // The dialog stays open with the reason, for another try.
        msgbox::MsgBox(u"The database stayed busy with another user's change. Nothing was "
                       "cancelled and your reason is kept: press OK to try again.\n\nThe "
                       "database said: "_s +
                           e.description(),
                       msgbox::vbInformation, BasLoan::MsgboxTitle);
        return;
    }
    if (outcome != IssueCancellation::Outcome::Cancelled)
        msgbox::MsgBox(IssueCancellation::refusal(outcome, currentIssueNumber()),
                       msgbox::vbInformation, BasLoan::MsgboxTitle);
    accept();
}

std::optional<QString> frmCancel::cancellingUserName()
{
    ado::Recordset rs;
    rs.Open(CancellationStatements::userNameLookup(), BasLoan::adocon(), ado::CursorType::Keyset,
            ado::LockType::Optimistic);
    if (rs.isEOF())
        return std::nullopt;
    return vb::TextOf(rs.value(0));
}
