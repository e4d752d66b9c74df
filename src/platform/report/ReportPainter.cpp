#include "report/ReportPainter.h"

#include "report/TextMeasure.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace rpt {

void ReportPainter::paint(const ReportDocument& document, QPainter& painter,
                          QPagedPaintDevice& device)
{
    const qreal scale = device.logicalDpiX() / 72.0;
    for (int page = 0; page < document.pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        paintPage(document.pages[page], document.font, painter, scale);
    }
}

void ReportPainter::paintPage(const ReportDocument::Page& page, const QString& font,
                              QPainter& painter, qreal scale)
{
    auto scaled = [scale](const QRectF& r) {
        return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    };
    for (const ReportDocument::Item& item : page) {
        switch (item.kind) {
        case ReportDocument::Item::Kind::Shade:
            painter.fillRect(scaled(item.rect), item.colour);
            break;
        case ReportDocument::Item::Kind::Rule: {
            painter.setPen(QPen(item.colour, item.weight * scale));
            const QRectF r = scaled(item.rect);
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            break;
        }
        case ReportDocument::Item::Kind::Text:
            painter.setFont(TextMeasure::fontFor(font, item.style));
            painter.setPen(item.style.colour);
            painter.drawText(scaled(item.rect), item.flags, item.text);
            break;
        case ReportDocument::Item::Kind::Stamp: {
            const QRectF r = scaled(item.rect);
            painter.save();
            painter.translate(r.center());
            painter.rotate(-35);
            painter.setFont(TextMeasure::fontFor(font, item.style));
            painter.setPen(item.style.colour);
            painter.drawText(QRectF(-r.width(), -r.height() / 2, 2 * r.width(), r.height()),
                             item.flags, item.text);
            painter.restore();
            break;
        }
        }
    }
}

} // namespace rpt
