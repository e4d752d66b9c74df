#pragma once

#include "ostrelplatform_export.h"

class QWidget;

// A turn of the mouse wheel over a closed combo box chooses nothing: a choice made in passing,
// while the clerk meant to scroll, would re-sort a register or drop the details of an entry.
// Applies to the combo boxes the window holds when it is called.
OSTRELPLATFORM_EXPORT void ignoreWheelOnClosedComboBoxes(QWidget* window);
