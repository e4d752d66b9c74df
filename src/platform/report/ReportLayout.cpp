#include "report/ReportLayout.h"

#include "report/FieldFormat.h"
#include "runtime/Conversions.h"

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

using Style = ReportDocument::TextStyle;

const Style headingStyle{17, true, QColor(0x1a, 0x1a, 0x1a)};
const Style subheadingStyle{11.5, false, QColor(0x40, 0x40, 0x40)};
const Style labelStyle{8, false, QColor(0x66, 0x66, 0x66)};
const Style valueStyle{10, false, Qt::black};
const Style captionStyle{11, true, QColor(0x1a, 0x1a, 0x1a)};
const Style columnHeadingStyle{8.5, true, QColor(0x22, 0x22, 0x22)};
const Style cellStyle{9, false, Qt::black};
const Style totalStyle{9, true, Qt::black};
const Style noteStyle{8, false, QColor(0x66, 0x66, 0x66)};
const Style footerStyle{7.5, false, QColor(0x66, 0x66, 0x66)};
const Style stampStyle{80, true, QColor(0xc0, 0x10, 0x10, 0x48)};

const QColor strongRule(0x33, 0x33, 0x33);
const QColor tableRule(0x55, 0x55, 0x55);
const QColor hairline(0xdd, 0xdd, 0xdd);
const QColor headingShade(0xe6, 0xea, 0xef);
const QColor stripeShade(0xf5, 0xf7, 0xf9);

constexpr qreal labelWidth = 0.17; // of the width, for a field's label
constexpr qreal fieldPadding = 3.5;
constexpr qreal cellPadding = 4;
constexpr qreal bandGap = 14;
constexpr qreal signingSpace = 42; // room to sign above the line

bool isPageNumber(const QString& name)
{
    return name.compare(u"PageNumber", Qt::CaseInsensitive) == 0;
}

bool isPageCount(const QString& name)
{
    return name.compare(u"PageCount", Qt::CaseInsensitive) == 0;
}

} // namespace

ReportLayout::ReportLayout(const ReportDefinition& definition, const ReportData& data, QSizeF area)
    : m_definition(definition), m_data(data), m_measure(definition.font)
{
    m_document.font = definition.font;
    m_document.area = area;
    m_document.pages.append(ReportDocument::Page());
}

ReportDocument ReportLayout::build(const ReportDefinition& definition, const ReportData& data,
                                   QSizeF area)
{
    ReportLayout layout(definition, data, area);
    for (qsizetype i = 0; i < definition.bands.size(); ++i) {
        // Signatures stay on the page of what they sign for.
        const qsizetype next = i + 1;
        layout.m_keepWithEnd =
            next < definition.bands.size() &&
                    std::holds_alternative<ReportDefinition::SignaturesBand>(definition.bands[next])
                ? layout.signaturesHeight() + bandGap
                : 0;
        std::visit([&layout](const auto& b) { layout.place(b); }, definition.bands[i]);
    }
    layout.placeFooters();
    layout.placeStamps();
    return std::move(layout.m_document);
}

QString ReportLayout::render(const Template& text, const QString& rowSet, int row, int page) const
{
    return text.render([&](const Template::Reference& reference) -> QVariant {
        if (reference.source.isEmpty() && isPageNumber(reference.field))
            return page + 1;
        if (reference.source.isEmpty() && isPageCount(reference.field))
            return int(m_document.pages.size());
        const bool inRow = reference.source.compare(rowSet, Qt::CaseInsensitive) == 0;
        return m_data.value(reference, inRow ? row : 0);
    });
}

qreal ReportLayout::footerHeight() const
{
    const auto& footer = m_definition.footer;
    if (footer.left.isEmpty() && footer.center.isEmpty() && footer.right.isEmpty())
        return 0;
    return m_measure.lineHeight(footerStyle) + 12;
}

bool ReportLayout::fits(qreal height) const
{
    return m_y + height <= m_document.area.height() - footerHeight();
}

void ReportLayout::newPage()
{
    m_document.pages.append(ReportDocument::Page());
    m_y = 0;
}

void ReportLayout::text(const QRectF& rect, const QString& text, const Style& style, int flags)
{
    ReportDocument::Item item;
    item.rect = rect;
    item.text = text;
    item.style = style;
    item.flags = flags;
    m_document.pages.back().append(item);
}

void ReportLayout::rule(qreal y, qreal left, qreal right, qreal weight, const QColor& colour)
{
    ReportDocument::Item item;
    item.kind = ReportDocument::Item::Kind::Rule;
    item.rect = QRectF(left, y, right - left, 0);
    item.colour = colour;
    item.weight = weight;
    m_document.pages.back().append(item);
}

void ReportLayout::shade(const QRectF& rect, const QColor& colour)
{
    ReportDocument::Item item;
    item.kind = ReportDocument::Item::Kind::Shade;
    item.rect = rect;
    item.colour = colour;
    m_document.pages.back().append(item);
}

void ReportLayout::place(const ReportDefinition::TitleBand& band)
{
    const qreal width = m_document.area.width();
    auto line = [&](const Template& line, const Style& style) {
        const QString shown = render(line);
        if (shown.trimmed().isEmpty())
            return;
        const qreal height = m_measure.height(shown, style, width);
        if (!fits(height))
            newPage();
        text(QRectF(0, m_y, width, height), shown, style, Qt::AlignHCenter | Qt::TextWordWrap);
        m_y += height + 2;
    };
    for (const Template& heading : band.headings)
        line(heading, headingStyle);
    for (const Template& subheading : band.subheadings)
        line(subheading, subheadingStyle);
    m_y += 6;
    rule(m_y, 0, width, 1.2, strongRule);
    m_y += bandGap;
}

void ReportLayout::place(const ReportDefinition::FieldsBand& band)
{
    const qreal width = m_document.area.width();
    for (const ReportDefinition::FieldRow& row : band.rows) {
        QStringList cells;
        bool missing = false;
        for (int i = 0; i < row.cells.size(); ++i) {
            cells.append(render(row.cells[i]));
            missing = missing || (i % 2 == 1 && cells.back().trimmed().isEmpty());
        }
        if (row.optional && missing)
            continue;
        // label | value, or two such pairs side by side
        const int pairs = int(cells.size()) / 2;
        const qreal pairWidth = pairs == 2 ? width * 0.5 : width;
        const qreal labelSpan = width * labelWidth;
        // A word too long for its line (a remark typed without blanks) wraps instead of being cut.
        for (int p = 0; p < pairs; ++p)
            cells[2 * p + 1] =
                m_measure.breakable(cells[2 * p + 1], valueStyle, pairWidth - labelSpan - 10);
        qreal height = 0;
        for (int p = 0; p < pairs; ++p) {
            height = std::max(height, m_measure.height(cells[2 * p], labelStyle, labelSpan - 6));
            height = std::max(
                height, m_measure.height(cells[2 * p + 1], valueStyle, pairWidth - labelSpan - 10));
        }
        height += 2 * fieldPadding;
        if (!fits(height))
            newPage();
        for (int p = 0; p < pairs; ++p) {
            const qreal left = p * pairWidth;
            // The label sits on the baseline of the value's first line.
            const qreal labelDrop = m_measure.ascent(valueStyle) - m_measure.ascent(labelStyle);
            text(QRectF(left, m_y + fieldPadding + labelDrop, labelSpan - 6, height), cells[2 * p],
                 labelStyle, Qt::AlignLeft | Qt::TextWordWrap);
            text(QRectF(left + labelSpan, m_y + fieldPadding, pairWidth - labelSpan - 10, height),
                 cells[2 * p + 1], valueStyle, Qt::AlignLeft | Qt::TextWordWrap);
        }
        m_y += height;
        rule(m_y, 0, width, 0.5, hairline);
    }
    m_y += bandGap;
}

void ReportLayout::placeTableHeading(const ReportDefinition::TableBand& band, const QList<qreal>& x,
                                     bool continued)
{
    const qreal width = m_document.area.width();
    if (!band.caption.isEmpty()) {
        const QString caption = continued ? band.caption + u" (continued)"_s : band.caption;
        const qreal height = m_measure.lineHeight(captionStyle);
        text(QRectF(0, m_y, width, height), caption, captionStyle, Qt::AlignLeft);
        m_y += height + 5;
    }
    const Style headingStyle = inTable(columnHeadingStyle);
    const qreal height = m_measure.lineHeight(headingStyle) + 7;
    shade(QRectF(0, m_y, width, height), headingShade);
    for (int i = 0; i < band.columns.size(); ++i) {
        const auto& column = band.columns[i];
        text(QRectF(x[i] + cellPadding, m_y, x[i + 1] - x[i] - 2 * cellPadding, height),
             column.heading, headingStyle, int(column.alignment) | Qt::AlignVCenter);
    }
    m_y += height;
    rule(m_y, 0, width, 0.8, tableRule);
}

void ReportLayout::placeTableLine(const ReportDefinition::TableBand& band, const QList<qreal>& x,
                                  const QStringList& cells, bool totals, bool shaded)
{
    const Style style = inTable(totals ? totalStyle : cellStyle);
    const qreal height = m_measure.lineHeight(style) + (totals ? 8 : 5);
    const qreal width = m_document.area.width();
    if (shaded)
        shade(QRectF(0, m_y, width, height), stripeShade);
    if (totals)
        rule(m_y, 0, width, 0.8, tableRule);
    for (int i = 0; i < band.columns.size(); ++i) {
        const qreal span = x[i + 1] - x[i] - 2 * cellPadding;
        text(QRectF(x[i] + cellPadding, m_y, span, height), cells[i], style,
             int(band.columns[i].alignment) | Qt::AlignVCenter);
    }
    m_y += height;
    if (totals)
        rule(m_y, 0, width, 0.8, tableRule);
}

QStringList ReportLayout::totals(const ReportDefinition::TableBand& band, int rowCount) const
{
    QStringList cells;
    for (const auto& column : band.columns) {
        if (column.total != ReportDefinition::Column::Total::Sum) {
            cells.append(column.totalText);
            continue;
        }
        const Template::Reference reference = *column.value.soleReference();
        // Money adds up in whole cents, as printed, so the total is what a reader re-adds.
        const bool money = reference.format.compare(u"money", Qt::CaseInsensitive) == 0;
        double sum = 0;
        qint64 cents = 0;
        for (int row = 0; row < rowCount; ++row) {
            const QVariant value = m_data.value(reference, row);
            if (value.isNull())
                continue;
            if (money)
                cents += FieldFormat::centsOf(vb::CDbl(value));
            else
                sum += vb::CDbl(value);
        }
        cells.append(FieldFormat::apply(money ? double(cents) / 100.0 : sum, reference.format));
    }
    return cells;
}

ReportDefinition::TableBand ReportLayout::shownColumns(const ReportDefinition::TableBand& band,
                                                       int rowCount) const
{
    ReportDefinition::TableBand shown = band;
    shown.columns.clear();
    for (const auto& column : band.columns) {
        bool shows = !column.optional;
        for (int row = 0; !shows && row < rowCount; ++row)
            shows = !render(column.value, band.rows, row).trimmed().isEmpty();
        if (shows)
            shown.columns.append(column);
    }
    return shown;
}

void ReportLayout::place(const ReportDefinition::TableBand& definedBand)
{
    // A table without lines has nothing to show, not even its heading.
    const int rowCount = int(m_data.dataSet(definedBand.rows)->rows.size());
    if (rowCount == 0)
        return;
    const ReportDefinition::TableBand band = shownColumns(definedBand, rowCount);
    QList<QStringList> lines;
    for (int row = 0; row < rowCount; ++row) {
        QStringList cells;
        for (const auto& column : band.columns)
            cells.append(render(column.value, band.rows, row));
        lines.append(cells);
    }
    const bool hasTotals =
        std::any_of(band.columns.cbegin(), band.columns.cend(),
                    [](const auto& c) { return c.total != ReportDefinition::Column::Total::None; });
    const QStringList totalCells = hasTotals ? totals(band, rowCount) : QStringList();
    const QList<qreal> x = columnEdges(band, lines, totalCells);

    const qreal headingHeight = m_measure.lineHeight(captionStyle) + 5 +
                                m_measure.lineHeight(inTable(columnHeadingStyle)) + 7;
    const qreal lineHeight = m_measure.lineHeight(inTable(cellStyle)) + 5;
    if (!fits(headingHeight + lineHeight))
        newPage();
    placeTableHeading(band, x, false);
    const qreal totalsHeight = hasTotals ? m_measure.lineHeight(inTable(totalStyle)) + 8 : 0;
    for (int row = 0; row < rowCount; ++row) {
        // The last line goes with the totals and whatever must end on the same page.
        const bool last = row + 1 == rowCount;
        if (!fits(last ? lineHeight + totalsHeight + bandGap + m_keepWithEnd : lineHeight)) {
            newPage();
            placeTableHeading(band, x, true);
        }
        placeTableLine(band, x, lines[row], false, row % 2 == 1);
    }
    if (hasTotals)
        placeTableLine(band, x, totalCells, true, false);
    m_tableScale = 1;
    m_y += bandGap;
}

ReportDocument::TextStyle ReportLayout::inTable(const Style& style) const
{
    Style scaled = style;
    scaled.size *= m_tableScale;
    return scaled;
}

QList<qreal> ReportLayout::columnEdges(const ReportDefinition::TableBand& band,
                                       const QList<QStringList>& lines, const QStringList& totals)
{
    const qreal width = m_document.area.width();
    const qsizetype count = band.columns.size();
    qreal totalWeight = 0;
    for (const auto& column : band.columns)
        totalWeight += column.width;
    // A point of slack: the printer's and the screen's glyphs differ by a fraction of one.
    QList<qreal> needed(count), spans(count);
    for (qsizetype i = 0; i < count; ++i) {
        qreal widest = m_measure.width(band.columns[i].heading, columnHeadingStyle);
        for (const QStringList& cells : lines)
            widest = std::max(widest, m_measure.width(cells[i], cellStyle));
        if (!totals.isEmpty())
            widest = std::max(widest, m_measure.width(totals[i], totalStyle));
        needed[i] = widest + 2 * cellPadding + 1;
        spans[i] = width * band.columns[i].width / totalWeight;
    }
    qreal neededTotal = 0, lacking = 0, spare = 0;
    for (qsizetype i = 0; i < count; ++i) {
        neededTotal += needed[i];
        lacking += std::max(0.0, needed[i] - spans[i]);
        spare += std::max(0.0, spans[i] - needed[i]);
    }
    m_tableScale = 1;
    if (neededTotal > width) {
        m_tableScale = width / neededTotal;
        for (qsizetype i = 0; i < count; ++i)
            spans[i] = needed[i] * m_tableScale;
    } else if (lacking > 0) {
        for (qsizetype i = 0; i < count; ++i)
            spans[i] = needed[i] > spans[i] ? needed[i]
                                            : spans[i] - (spans[i] - needed[i]) * lacking / spare;
    }
    QList<qreal> x{0};
    for (const qreal span : spans)
        x.append(x.back() + span);
    return x;
}

void ReportLayout::placeStamps()
{
    const QString stamp = render(m_definition.stamp).trimmed();
    if (stamp.isEmpty())
        return;
    // Beneath everything else on the page, across its middle.
    ReportDocument::Item item;
    item.kind = ReportDocument::Item::Kind::Stamp;
    item.rect = QRectF(QPointF(0, 0), m_document.area);
    item.text = stamp;
    item.style = stampStyle;
    item.flags = Qt::AlignCenter;
    for (ReportDocument::Page& page : m_document.pages)
        page.prepend(item);
}

qreal ReportLayout::signaturesHeight() const
{
    return signingSpace + m_measure.lineHeight(noteStyle) + 4;
}

void ReportLayout::place(const ReportDefinition::SignaturesBand& band)
{
    const qreal width = m_document.area.width();
    const qreal height = signaturesHeight();
    if (!fits(height))
        newPage();
    const int count = int(band.captions.size());
    const qreal gap = 28;
    const qreal span = (width - gap * (count - 1)) / count;
    for (int i = 0; i < count; ++i) {
        const qreal left = i * (span + gap);
        rule(m_y + signingSpace, left, left + span, 0.6, strongRule);
        text(QRectF(left, m_y + signingSpace + 3, span, m_measure.lineHeight(noteStyle)),
             band.captions[i], noteStyle, Qt::AlignLeft);
    }
    m_y += height + bandGap;
}

void ReportLayout::placeFooters()
{
    const qreal height = footerHeight();
    if (height == 0)
        return;
    const qreal width = m_document.area.width();
    const qreal top = m_document.area.height() - height + 6;
    const qreal lineHeight = m_measure.lineHeight(footerStyle);
    const auto& footer = m_definition.footer;
    for (int page = 0; page < m_document.pages.size(); ++page) {
        ReportDocument::Page& items = m_document.pages[page];
        auto add = [&](const Template& part, int alignment) {
            ReportDocument::Item item;
            item.rect = QRectF(0, top + 4, width, lineHeight);
            item.text = render(part, QString(), 0, page);
            item.style = footerStyle;
            item.flags = alignment;
            items.append(item);
        };
        ReportDocument::Item line;
        line.kind = ReportDocument::Item::Kind::Rule;
        line.rect = QRectF(0, top, width, 0);
        line.colour = QColor(0x99, 0x99, 0x99);
        line.weight = 0.5;
        items.append(line);
        add(footer.left, Qt::AlignLeft);
        add(footer.center, Qt::AlignHCenter);
        add(footer.right, Qt::AlignRight);
    }
}

} // namespace rpt
