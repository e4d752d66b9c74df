#include "cancel/frmCancel.h"

#include "cancel/CancellationStatements.h"
#include "cancel/IssueCancellation.h"
#include "common/BasLoan.h"
#include "common/GuardedHandler.h"
#include "db/Recordset.h"
#include "grid/KeyCodes.h"
#include "runtime/Conversions.h"
#include "ui/MessageBox.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The window's outer size is 6480 x 915 twips; without its borders and caption bar (120 wide,
// 405 high) that leaves this client area for the one row of controls.
constexpr int ClientWidth = 6360;
constexpr int ClientHeight = 510;

constexpr int ReasonMaxLength = 200;

} // namespace

frmCancel::frmCancel()
{
    layoutControls();
    connectGuarded(cmdOK, &QPushButton::clicked, this, &frmCancel::cmdOK_Click);
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

    setTabOrder(txtcanreason, cmdOK);
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

    const IssueCancellation::Outcome outcome = IssueCancellation::cancelLiveIssue(
        BasLoan::adocon(), remark, BasLoan::currentIssueIdText());
    if (outcome != IssueCancellation::Outcome::Cancelled)
        msgbox::MsgBox(IssueCancellation::refusal(outcome), msgbox::vbInformation,
                       BasLoan::MsgboxTitle);
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
