#pragma once

#include "data/BasLoanVariables.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBox.h"

#include <exception>

// Runs an event handler from the event loop. An error the handler does not trap itself must not
// escape into the toolkit: it is shown to the user (information box titled MsgboxTitle) and the
// window stays usable.
template <class Handler> void guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const RuntimeError& e) {
        msgbox::MsgBox(e.description(), msgbox::vbInformation, BasLoan::MsgboxTitle);
    } catch (const std::exception& e) {
        msgbox::MsgBox(QString::fromUtf8(e.what()), msgbox::vbInformation, BasLoan::MsgboxTitle);
    }
}
