#include "SupersedingPresenter.h"

namespace msgbox {

int SupersedingPresenter::present(const Shown& message)
{
    if (message.flags != RunningLoanQuestion)
        return ScriptedPresenter::present(message);
    ++m_closed;
    m_sinceDecision.start();
    return vbYes;
}

} // namespace msgbox
