#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace msgbox {

namespace {

class QtPresenter : public Presenter
{
public:
    int present(const Shown& message) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(message.title);
        box.setText(message.prompt);
        switch (message.flags & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        if ((message.flags & 0x7) == vbYesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return vbOK;
    }
};

QtPresenter qtPresenter;
Presenter* current = nullptr;

} // namespace

QString defaultTitle()
{
    return QStringLiteral("OstrelLoanIssue");
}

int MsgBox(const QString& prompt, int flags, const std::optional<QString>& title)
{
    Presenter* presenter = current ? current : &qtPresenter;
    return presenter->present(Shown{prompt, flags, title.value_or(defaultTitle())});
}

void setPresenter(Presenter* presenter)
{
    current = presenter;
}

ScriptedPresenter::ScriptedPresenter()
{
    setPresenter(this);
}

ScriptedPresenter::~ScriptedPresenter()
{
    if (current == this)
        setPresenter(nullptr);
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
