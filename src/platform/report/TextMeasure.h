#pragma once

#include "report/ReportDocument.h"

#include <QFont>
#include <QImage>

namespace rpt {

// Measures texts in points, the same for every output: the metrics are taken at a printer's
// resolution, not the screen's.
class TextMeasure
{
public:
    explicit TextMeasure(const QString& family);

    QFont font(const ReportDocument::TextStyle& style) const;
    // The height of the text wrapped into the width.
    qreal height(const QString& text, const ReportDocument::TextStyle& style, qreal width) const;
    qreal lineHeight(const ReportDocument::TextStyle& style) const;
    qreal ascent(const ReportDocument::TextStyle& style) const;
    // The text with a break allowed between any two letters of each word too wide for the width,
    // so that wrapping never has to cut a word.
    QString breakable(const QString& text, const ReportDocument::TextStyle& style,
                      qreal width) const;
    // The width of the text on one line.
    qreal width(const QString& text, const ReportDocument::TextStyle& style) const;

    // The font of a style; its point size maps onto each device by the device's resolution.
    static QFont fontFor(const QString& family, const ReportDocument::TextStyle& style);

private:
    QString m_family;
    QImage m_device;
    qreal m_scale; // device pixels per point
};

} // namespace rpt
