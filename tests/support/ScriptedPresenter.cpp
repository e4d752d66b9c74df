#include "ScriptedPresenter.h"

namespace msgbox {

namespace {

// The scripted presenter installed last; another one's end leaves it in place.
ScriptedPresenter* installed = nullptr;

} // namespace

ScriptedPresenter::ScriptedPresenter()
{
    setPresenter(this);
    installed = this;
}

ScriptedPresenter::~ScriptedPresenter()
{
    if (installed == this) {
        setPresenter(nullptr);
        installed = nullptr;
    }
}

QStringList ScriptedPresenter::prompts() const
{
    QStringList list;
    for (const Shown& s : m_shown)
        list.append(s.prompt);
    return list;
}

int ScriptedPresenter::present(const Shown& message)
{
    m_shown.append(message);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return (message.flags & 0x7) == vbYesNo ? vbNo : vbOK;
}

} // namespace msgbox
