#pragma once

#include "ostrelplatform_export.h"

#include <QRect>

// Window geometry is given in twips (1/1440 inch): 15 twips are one pixel at 96 dpi, scaled
// with the screen's logical resolution.
namespace Twips {

// At a given resolution, for a widget that knows the screen it is on.
OSTRELPLATFORM_EXPORT int toPixels(int twips, double dotsPerInch);
OSTRELPLATFORM_EXPORT int fromPixels(int pixels, double dotsPerInch);

// At the primary screen's resolution.
OSTRELPLATFORM_EXPORT int toPixelsX(int twips);
OSTRELPLATFORM_EXPORT int toPixelsY(int twips);
OSTRELPLATFORM_EXPORT int fromPixelsX(int pixels);
OSTRELPLATFORM_EXPORT QRect rect(int left, int top, int width, int height);

} // namespace Twips
