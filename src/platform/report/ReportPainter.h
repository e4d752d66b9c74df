#pragma once

#include "report/ReportDocument.h"

class QPainter;
class QPagedPaintDevice;

namespace rpt {

// Paints a laid-out report on a paged device (the preview, a printer, a PDF), page after page,
// from the top left corner of the device's printable area.
class ReportPainter
{
public:
    static void paint(const ReportDocument& document, QPainter& painter, QPagedPaintDevice& device);

private:
    static void paintPage(const ReportDocument::Page& page, const QString& font, QPainter& painter,
                          qreal scale);
};

} // namespace rpt
