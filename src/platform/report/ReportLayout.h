#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportData.h"
#include "report/ReportDefinition.h"
#include "report/ReportDocument.h"
#include "report/TextMeasure.h"

namespace rpt {

// Lays a report's bands out on pages of the given printable area (in points): the bands flow
// down the pages, a table breaks between its lines and repeats its heading, and every page
// gets the footer with its page number and the stamp, if any.
class OSTRELPLATFORM_EXPORT ReportLayout
{
public:
    static ReportDocument build(const ReportDefinition& definition, const ReportData& data,
                                QSizeF area);

private:
    ReportLayout(const ReportDefinition& definition, const ReportData& data, QSizeF area);

    void place(const ReportDefinition::TitleBand& band);
    void place(const ReportDefinition::FieldsBand& band);
    void place(const ReportDefinition::TableBand& band);
    void place(const ReportDefinition::SignaturesBand& band);
    // The column edges that give each column the room its widest text needs, taken from the
    // columns with room to spare; where the page cannot hold them all, the table's text is set
    // smaller (m_tableScale). A figure is never cut.
    QList<qreal> columnEdges(const ReportDefinition::TableBand& band,
                             const QList<QStringList>& lines, const QStringList& totals);
    ReportDocument::TextStyle inTable(const ReportDocument::TextStyle& style) const;
    void placeTableHeading(const ReportDefinition::TableBand& band, const QList<qreal>& x,
                           bool continued);
    void placeTableLine(const ReportDefinition::TableBand& band, const QList<qreal>& x,
                        const QStringList& cells, bool totals, bool shaded);
    QStringList totals(const ReportDefinition::TableBand& band, int rowCount) const;
    // The band without its optional columns that no line fills.
    ReportDefinition::TableBand shownColumns(const ReportDefinition::TableBand& band,
                                             int rowCount) const;
    void placeFooters();
    void placeStamps();

    qreal footerHeight() const;
    qreal signaturesHeight() const;
    bool fits(qreal height) const;
    void newPage();
    void text(const QRectF& rect, const QString& text, const ReportDocument::TextStyle& style,
              int flags);
    void rule(qreal y, qreal left, qreal right, qreal weight, const QColor& colour);
    void shade(const QRectF& rect, const QColor& colour);
    QString render(const Template& text, const QString& rowSet = {}, int row = 0,
                   int page = 0) const;

    const ReportDefinition& m_definition;
    const ReportData& m_data;
    TextMeasure m_measure;
    ReportDocument m_document;
    qreal m_y = 0;
    qreal m_keepWithEnd = 0; // room the band after this one needs on the same page
    qreal m_tableScale = 1;  // of the text sizes of the table being placed
};

} // namespace rpt
