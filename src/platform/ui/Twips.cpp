#include "platform/ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

namespace {

QSizeF dotsPerInch()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {96.0, 96.0};
}

} // namespace

int toPixelsX(int twips)
{
    return int(std::lround(twips * dotsPerInch().width() / 1440.0));
}

int toPixelsY(int twips)
{
    return int(std::lround(twips * dotsPerInch().height() / 1440.0));
}

int fromPixelsX(int pixels)
{
    return int(std::lround(pixels * 1440.0 / dotsPerInch().width()));
}

QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}

} // namespace Twips
