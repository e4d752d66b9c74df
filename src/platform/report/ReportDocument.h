#pragma once

#include "ostrelplatform_export.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

namespace rpt {

// A report laid out on pages: texts, rules and shaded boxes placed in points (1/72 inch) from
// the top left corner of each page's printable area. One layout serves the screen, the
// printer and the PDF alike.
class OSTRELPLATFORM_EXPORT ReportDocument
{
public:
    struct TextStyle
    {
        qreal size = 9;
        bool bold = false;
        QColor colour = Qt::black;
    };
    struct Item
    {
        // A stamp is a text written large and slanted across its rectangle.
        enum class Kind { Text, Rule, Shade, Stamp };
        Kind kind = Kind::Text;
        QRectF rect;
        QString text;
        TextStyle style;
        int flags = 0;    // Qt alignment and wrapping flags of a text
        QColor colour;    // of a rule or a shade
        qreal weight = 0; // thickness of a rule
    };
    using Page = QList<Item>;

    QString font;
    QSizeF area; // the printable area of a page
    QList<Page> pages;

    // The texts and stamps of a page, in the order they were placed.
    QStringList texts(int page) const;
};

} // namespace rpt
