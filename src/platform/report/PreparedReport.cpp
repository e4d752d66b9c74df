#include "report/PreparedReport.h"

#include "report/ReportErrors.h"
#include "report/ReportLayout.h"
#include "report/ReportPainter.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace rpt {

PreparedReport::PreparedReport(ReportDefinition definition, ReportData data)
    : m_definition(std::move(definition)), m_data(std::move(data))
{
}

QString PreparedReport::title() const
{
    return m_definition.documentTitle.render(
        [this](const Template::Reference& reference) { return m_data.value(reference); });
}

QPageLayout PreparedReport::pageLayout() const
{
    const qreal m = m_definition.marginMillimetres;
    return QPageLayout(QPageSize(m_definition.paper), QPageLayout::Portrait, QMarginsF(m, m, m, m),
                       QPageLayout::Millimeter);
}

ReportDocument PreparedReport::document() const
{
    return ReportLayout::build(m_definition, m_data,
                               pageLayout().paintRect(QPageLayout::Point).size());
}

void PreparedReport::paint(QPagedPaintDevice& device) const
{
    const ReportDocument document = ReportLayout::build(
        m_definition, m_data, device.pageLayout().paintRect(QPageLayout::Point).size());
    QPainter painter;
    if (!painter.begin(&device))
        throw RuntimeError(errors::Output, u"The report could not be sent to the "
                                           "printer or file."_s);
    painter.setRenderHint(QPainter::Antialiasing);
    ReportPainter::paint(document, painter, device);
    painter.end();
}

void PreparedReport::writePdf(const QList<PreparedReport>& reports, QIODevice& device)
{
    if (reports.isEmpty())
        return;
    QPdfWriter writer(&device);
    writer.setPageLayout(reports.front().pageLayout());
    writer.setTitle(reports.front().title());
    writer.setCreator(u"OstrelLoanIssue"_s);
    QPainter painter;
    if (!painter.begin(&writer))
        throw RuntimeError(errors::Output, u"The PDF could not be written."_s);
    painter.setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < reports.size(); ++i) {
        if (i > 0)
            writer.newPage();
        ReportPainter::paint(reports[i].document(), painter, writer);
    }
    painter.end();
}

void PreparedReport::writePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setPageLayout(pageLayout());
    writer.setTitle(title());
    writer.setCreator(u"OstrelLoanIssue"_s);
    try {
        paint(writer);
    } catch (const RuntimeError&) {
        throw RuntimeError(errors::Output,
                           u"The PDF file \"%1\" could not be written."_s.arg(path));
    }
}

} // namespace rpt
