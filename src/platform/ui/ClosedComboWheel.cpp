#include "ui/ClosedComboWheel.h"

#include <QComboBox>
#include <QEvent>

namespace {

// An open list is a window of its own, so the wheel still scrolls it.
class WheelSwallower : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::Wheel || QObject::eventFilter(watched, event);
    }
};

} // namespace

void ignoreWheelOnClosedComboBoxes(QWidget* window)
{
    auto* swallower = new WheelSwallower(window);
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        combo->installEventFilter(swallower);
}
