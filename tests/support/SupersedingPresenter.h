#pragma once

#include "ScriptedPresenter.h"

#include <QElapsedTimer>

namespace msgbox {

// For runs that mean to supersede: answers Yes whenever a new issue would close the employee's
// running loan, and counts that question apart from the messages shown, which it leaves to the
// scripted presenter.
class SupersedingPresenter : public ScriptedPresenter
{
public:
    int present(const Shown& message) override;

    int runningLoansClosed() const { return m_closed; }
    // Restarted at each Yes, so a caller timing a save can leave out the deciding.
    QElapsedTimer& sinceDecision() { return m_sinceDecision; }

private:
    int m_closed = 0;
    QElapsedTimer m_sinceDecision;
};

} // namespace msgbox
