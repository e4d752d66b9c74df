#pragma once

#include "ostrelplatform_export.h"

#include <QString>

namespace ado {

// A text as the inside of a quoted string literal: each apostrophe doubled, so whatever the
// text holds stays one value and never changes the statement's shape.
OSTRELPLATFORM_EXPORT QString quotedText(const QString& text);

} // namespace ado
