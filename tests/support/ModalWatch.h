#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// While it lives, runs an action on each modal window of type W that shows, from inside the
// window's own event loop, as a person at the keyboard would. The action must leave the window
// closed; one left open fails the test and is closed so the test can go on.
template <class W> class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(W&)> action) : m_action(std::move(action))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }

    int timesShown() const { return m_shown; }

private:
    void poll()
    {
        auto* window = dynamic_cast<W*>(QApplication::activeModalWidget());
        if (!window || window == m_current)
            return;
        m_current = window;
        ++m_shown;
        // Keys and focus reach only the active window.
        if (QTest::qWaitForWindowActive(window))
            m_action(*window);
        else
            QTest::qFail("the modal window never became active", __FILE__, __LINE__);
        if (window->isVisible()) {
            static_cast<QDialog*>(window)->reject();
            QFAIL("the modal window was left open");
        }
    }

    std::function<void(W&)> m_action;
    QTimer m_timer;
    W* m_current = nullptr;
    int m_shown = 0;
};
