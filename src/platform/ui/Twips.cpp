#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

namespace {

constexpr double TwipsPerInch = 1440.0;

QSizeF dotsPerInch()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {96.0, 96.0};
}

} // namespace

int toPixels(int twips, double dotsPerInch)
{
    return int(std::lround(twips * dotsPerInch / TwipsPerInch));
}

int fromPixels(int pixels, double dotsPerInch)
{
    return int(std::lround(pixels * TwipsPerInch / dotsPerInch));
}

int toPixelsX(int twips)
{
    return toPixels(twips, dotsPerInch().width());
}

int toPixelsY(int twips)
{
    return toPixels(twips, dotsPerInch().height());
}

int fromPixelsX(int pixels)
{
    return fromPixels(pixels, dotsPerInch().width());
}

QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}

} // namespace Twips
