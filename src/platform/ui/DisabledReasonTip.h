#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <functional>

class QWidget;

// A disabled control says why in its tooltip. The reason is asked for when the tooltip is about
// to show, so it follows whatever disabled the control last; an enabled control shows none.
OSTRELPLATFORM_EXPORT void explainWhenDisabled(QWidget* control, std::function<QString()> why);
