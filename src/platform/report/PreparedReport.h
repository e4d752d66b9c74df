#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportData.h"
#include "report/ReportDefinition.h"
#include "report/ReportDocument.h"

#include <QPageLayout>

class QIODevice;
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
    // Several reports in one PDF, each from a new page and laid out on its own (its own page
    // count), on the paper of the first; the PDF's title is the first one's. Raises RuntimeError
    // (Output) when the device cannot be written.
    static void writePdf(const QList<PreparedReport>& reports, QIODevice& device);

private:
    ReportDefinition m_definition;
    ReportData m_data;
};

} // namespace rpt
