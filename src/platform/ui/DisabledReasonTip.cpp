#include "ui/DisabledReasonTip.h"

#include <QEvent>
#include <QWidget>

namespace {

class DisabledReasonTip : public QObject
{
public:
    DisabledReasonTip(QWidget* control, std::function<QString()> why)
        : QObject(control), m_control(control), m_why(std::move(why))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Tooltips reach disabled widgets too; the toolkit shows the text set here.
        if (watched == m_control && event->type() == QEvent::ToolTip)
            m_control->setToolTip(m_control->isEnabled() ? QString() : m_why());
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_control;
    std::function<QString()> m_why;
};

} // namespace

void explainWhenDisabled(QWidget* control, std::function<QString()> why)
{
    new DisabledReasonTip(control, std::move(why));
}
