#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <optional>

class QWidget;

// Every message of the module goes through MsgBox: a prompt, a button-and-icon code and a title.
// The presenter behind it is Qt's message box in the application and a scripted one in tests.
namespace msgbox {

// Button and icon flags, added together as the module writes them (0, 20, 64, 68 and the
// questions whose default is No).
enum Flags : int {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    // The second button, No, is the default: Enter does not confirm a step that cannot be undone.
    vbDefaultButton2 = 256,
};

// Whether saving a new issue may close the employee's running loan: a warning, No by default.
inline constexpr int RunningLoanQuestion = vbYesNo | vbExclamation | vbDefaultButton2;

enum Answer : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct Shown
{
    QString prompt;
    int flags = 0;
    QString title;
};

class OSTRELPLATFORM_EXPORT Presenter
{
public:
    virtual ~Presenter() = default;
    virtual int present(const Shown& message) = 0;
};

// The title a box shows when the caller gives none: the module's application title.
OSTRELPLATFORM_EXPORT QString defaultTitle();

// Shows the message modally and returns the answer (vbOK, vbYes or vbNo).
OSTRELPLATFORM_EXPORT int MsgBox(const QString& prompt, int flags = vbOKOnly,
                                 const std::optional<QString>& title = std::nullopt);

// Replaces the presenter (nullptr restores Qt's); the caller keeps ownership.
OSTRELPLATFORM_EXPORT void setPresenter(Presenter* presenter);

} // namespace msgbox
