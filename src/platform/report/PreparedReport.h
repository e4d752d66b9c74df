#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportData.h"
#include "report/ReportDefinition.h"
#include "report/ReportDocument.h"

#include <QPageLayout>

class QPrinter;
class QPagedPaintDevice;

namespace rpt {

// A report with its data read, ready to be laid out for any paper: what the preview shows,
// prints and saves as PDF.
class OSTRELPLATFORM_EXPORT PreparedReport
{
public:
    PreparedReport(ReportDefinition definition, ReportData data);

    // The report's own title (its [report] title), for the PDF and as a window title.
    QString title() const;
    // The paper and margins the report file asks for.
    QPageLayout pageLayout() const;
    // Laid out on the report's own paper.
    ReportDocument document() const;

    // Lays the report out on the device's paper and paints it there.
    void paint(QPagedPaintDevice& device) const;
    // Raises RuntimeError (Output) when the file cannot be written.
    void writePdf(const QString& path) const;

private:
    ReportDefinition m_definition;
    ReportData m_data;
};

} // namespace rpt
