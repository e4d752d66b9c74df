#pragma once

#include "common/BasLoanVariables.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QObject>

#include <exception>
#include <utility>

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

// Connects a signal to a member handler of the window, run through guarded(). The handler takes
// the signal's first arguments, by reference where the signal passes one (a key code it may
// change), or none.
template <class Sender, class Signal, class Window, class... Args>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Window* window,
                                       void (Window::*handler)(Args...))
{
    return QObject::connect(sender, signal, window, [window, handler](Args... args) {
        guarded([&] { (window->*handler)(std::forward<Args>(args)...); });
    });
}
