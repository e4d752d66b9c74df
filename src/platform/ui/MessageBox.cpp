#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

using namespace Qt::StringLiterals;

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
            box.setDefaultButton((message.flags & vbDefaultButton2) ? QMessageBox::No
                                                                    : QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return vbOK;
    }
};

// Unattended runs (OSTREL_UNATTENDED=1: scripts, CI) must never wait for a person: each message
// goes to standard error and is answered OK, or No for a question.
class UnattendedPresenter : public Presenter
{
public:
    int present(const Shown& message) override
    {
        QTextStream(stderr) << message.title << u": "_s << message.prompt << u'\n';
        return (message.flags & 0x7) == vbYesNo ? vbNo : vbOK;
    }
};

QtPresenter qtPresenter;
UnattendedPresenter unattendedPresenter;
Presenter* current = nullptr;

Presenter* defaultPresenter()
{
    static const bool unattended = qEnvironmentVariableIntValue("OSTREL_UNATTENDED") == 1;
    return unattended ? static_cast<Presenter*>(&unattendedPresenter) : &qtPresenter;
}

} // namespace

QString defaultTitle()
{
    return u"OstrelLoanIssue"_s;
}

int MsgBox(const QString& prompt, int flags, const std::optional<QString>& title)
{
    Presenter* presenter = current ? current : defaultPresenter();
    return presenter->present(Shown{prompt, flags, title.value_or(defaultTitle())});
}

void setPresenter(Presenter* presenter)
{
    current = presenter;
}

} // namespace msgbox
