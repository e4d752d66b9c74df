#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

#include <memory>

class QLabel;
class QWidget;

// Feedback while a long register opens: once the opening has taken longer than about half a
// second, a small window says that the register is being read and how many issues so far, under
// the busy pointer. It has no total (the count is not known before the end), no Cancel, and
// takes no input while it shows, so nothing can re-enter the load. It closes when destroyed.
class RegisterLoadProgress
{
public:
    // Starts the clock; the window, when it comes, carries the owner's caption.
    explicit RegisterLoadProgress(const QWidget* owner);
    ~RegisterLoadProgress();
    RegisterLoadProgress(const RegisterLoadProgress&) = delete;
    RegisterLoadProgress& operator=(const RegisterLoadProgress&) = delete;

    // Told now and then while the list is read.
    void issuesRead(qsizetype issues);

private:
    void create();

    const QWidget* m_owner;
    QElapsedTimer m_clock;
    qint64 m_shownAtMs = -1; // when the count was last shown
    std::unique_ptr<QWidget> m_window;
    QLabel* m_count = nullptr;
};
