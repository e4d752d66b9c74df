#pragma once

#include "ui/MessageBox.h"

#include <QList>
#include <QStringList>

namespace msgbox {

// Answers from a queue (Yes/No questions default to vbNo when the queue is empty, others to vbOK)
// and records every message shown. Installs itself while it lives.
class ScriptedPresenter : public Presenter
{
public:
    ScriptedPresenter();
    ~ScriptedPresenter() override;

    void queueAnswer(int answer) { m_answers.append(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    QStringList prompts() const;
    void clear() { m_shown.clear(); }

    int present(const Shown& message) override;

private:
    QList<int> m_answers;
    QList<Shown> m_shown;
};

} // namespace msgbox
