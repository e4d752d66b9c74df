#pragma once

#include "platform/db/Connection.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>

class QWidget;

// The demo payroll in a file, opened as the module's connection with the clerk of company 1
// signed in, and a second connection to the same file for what other clerks and payroll do
// meanwhile.
class CancelFixture
{
public:
    static inline const QDate ProcessDate{2024, 3, 15};
    static inline const QString Title = QStringLiteral("Payroll");

    CancelFixture();
    ~CancelFixture();

    ado::Connection& module() { return *m_module; }
    ado::Connection& otherClerk() { return m_other; }

    // An issue's columns as another connection reads them now.
    QVariant issueField(int liID, const char* column);
    // How many of company 1's issues are cancelled, used by payroll, or carry a remark.
    QString companySummary();

private:
    QTemporaryDir m_dir;
    ado::ConnectionPtr m_module;
    ado::Connection m_other;
};

// Runs the action on the modal window of type W once it is showing; the window must be closed
// by then, or the test fails and the window is closed for it.
template <class W> void whenModalShows(std::function<void(W&)> action);

// Implementation detail of whenModalShows: polls the event loop for a modal window.
void pollForModal(std::function<bool(QWidget*)> act, int triesLeft);

template <class W> void whenModalShows(std::function<void(W&)> action)
{
    pollForModal(
        [action](QWidget* modal) {
            auto* window = dynamic_cast<W*>(modal);
            if (!window)
                return false;
            action(*window);
            return true;
        },
        200);
}
