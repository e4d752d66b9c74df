#pragma once

#include <QTimer>

#include <functional>

class frmLoan;

// Runs a check on the entry window once a command has shown it modally, then closes it if the
// check left it open, so that a failed check never hangs the test. Serves one showing.
class EntryWindowDriver
{
public:
    explicit EntryWindowDriver(std::function<void(frmLoan&)> check);
    bool ran() const { return m_ran; }

private:
    QTimer m_timer;
    bool m_ran = false;
};
