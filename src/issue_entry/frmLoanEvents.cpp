// Routes the toolkit's signals and events to the entry window's handlers.
#include "issue_entry/frmLoan.h"

#include "common/GuardedHandler.h"
#include "grid/KeyCodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

// The character code a key types, as key-press handlers receive it; keys that type nothing
// (arrows, function keys) have none. Characters beyond the 16-bit code range get a code that
// no filter takes for a digit.
std::optional<qint16> keyAsciiOf(const QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return qint16(key_codes::Enter);
    const QString text = e->text();
    if (text.isEmpty())
        return std::nullopt;
    const char16_t code = text.front().unicode();
    return code <= 0x7FFF ? qint16(code) : qint16(0x7FFF);
}

bool isLostFocus(const QEvent* e)
{
    if (e->type() != QEvent::FocusOut)
        return false;
    // Another window coming up (a message box, a list popping down) does not leave the field.
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(e)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

void frmLoan::connectHandlers()
{
    connectGuarded(cboEmployee, &QComboBox::currentIndexChanged, this, &frmLoan::cboEmployee_Click);
    connectGuarded(cboloanapplication, &QComboBox::currentIndexChanged, this,
                   &frmLoan::cboloanapplication_Click);
    connectGuarded(cboLoanType, &QComboBox::currentIndexChanged, this, &frmLoan::cboLoanType_Click);
    // Only the user's typing is a change of the text; selections made by code are clicks.
    connectGuarded(cboloanapplication->lineEdit(), &QLineEdit::textEdited, this,
                   &frmLoan::cboloanapplication_Change);

    connectGuarded(cmdOK, &QPushButton::clicked, this, &frmLoan::cmdOK_Click);
    connectGuarded(cmdCancel, &QPushButton::clicked, this, &frmLoan::cmdCancel_Click);

    for (QWidget* w :
         {static_cast<QWidget*>(cboEmployee), static_cast<QWidget*>(cboloanapplication),
          static_cast<QWidget*>(cboLoanType), static_cast<QWidget*>(chkDeductMonthly),
          static_cast<QWidget*>(txtLoanAmount), static_cast<QWidget*>(txtNoOfPayments),
          static_cast<QWidget*>(txtInstallmentAmount), static_cast<QWidget*>(txtRemarks)})
        w->installEventFilter(this);
}

bool frmLoan::eventFilter(QObject* watched, QEvent* e)
{
    auto* control = qobject_cast<QWidget*>(watched);
    if (e->type() == QEvent::KeyPress) {
        if (std::optional<qint16> KeyAscii = keyAsciiOf(static_cast<QKeyEvent*>(e))) {
            guarded([&] { entryControl_KeyPress(control, *KeyAscii); });
            if (*KeyAscii == 0)
                return true; // the key is cancelled
        }
    } else if (e->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box != txtRemarks)
            guarded([&] { numberBox_GotFocus(box); });
    } else if (isLostFocus(e) && !m_unloading) {
        if (watched == txtLoanAmount)
            guarded([&] { txtLoanAmount_LostFocus(); });
        else if (watched == txtNoOfPayments)
            guarded([&] { txtNoOfPayments_LostFocus(); });
    }
    return SingleInstanceForm::eventFilter(watched, e);
}

void frmLoan::keyPressEvent(QKeyEvent* e)
{
    // Enter belongs to the fields (it moves on) and to a focused button (which presses itself);
    // it never presses a button that lacks the focus. Esc closes, as Close does.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    SingleInstanceForm::keyPressEvent(e);
}

void frmLoan::reject()
{
    // The close box and Esc take the same road as Close, which may keep the window open.
    guarded([&] { UnloadMe(); });
}
