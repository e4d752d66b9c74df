#include "report/TextMeasure.h"

#include <QFontMetricsF>

namespace rpt {

namespace {
constexpr int measureDpi = 1200;
}

TextMeasure::TextMeasure(const QString& family)
    : m_family(family), m_device(1, 1, QImage::Format_RGB32), m_scale(measureDpi / 72.0)
{
    const int dotsPerMeter = qRound(measureDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

QFont TextMeasure::fontFor(const QString& family, const ReportDocument::TextStyle& style)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(style.size);
    font.setBold(style.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont TextMeasure::font(const ReportDocument::TextStyle& style) const
{
    return fontFor(m_family, style);
}

qreal TextMeasure::height(const QString& text, const ReportDocument::TextStyle& style,
                          qreal width) const
{
    const QFontMetricsF metrics(font(style), &m_device);
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width * m_scale, 1e9),
                                               Qt::TextWordWrap | Qt::AlignLeft, text);
    return std::max(bounds.height(), metrics.height()) / m_scale;
}

qreal TextMeasure::lineHeight(const ReportDocument::TextStyle& style) const
{
    return QFontMetricsF(font(style), &m_device).height() / m_scale;
}

qreal TextMeasure::ascent(const ReportDocument::TextStyle& style) const
{
    return QFontMetricsF(font(style), &m_device).ascent() / m_scale;
}

QString TextMeasure::breakable(const QString& text, const ReportDocument::TextStyle& style,
                               qreal width) const
{
    constexpr QChar zeroWidthSpace(0x200B);
    const QFontMetricsF metrics(font(style), &m_device);
    QStringList words = text.split(u' ');
    for (QString& word : words) {
        if (metrics.horizontalAdvance(word) <= width * m_scale)
            continue;
        QString open;
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (i > 0 && !word[i].isLowSurrogate() && !word[i].isMark())
                open += zeroWidthSpace;
            open += word[i];
        }
        word = open;
    }
    return words.join(u' ');
}

qreal TextMeasure::width(const QString& text, const ReportDocument::TextStyle& style) const
{
    const QFontMetricsF metrics(font(style), &m_device);
    return metrics.horizontalAdvance(text) / m_scale;
}

} // namespace rpt
