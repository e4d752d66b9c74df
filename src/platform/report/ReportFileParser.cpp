#include "platform/report/ReportFileParser.h"

#include "platform/report/ReportErrors.h"
#include "platform/report/StatementBinder.h"
#include "platform/runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace rpt {

namespace {

[[noreturn]] void fail(int line, const QString& what)
{
    throw RuntimeError(errors::ReportFile, QStringLiteral("line %1: %2").arg(line).arg(what));
}

// Runs a reading step whose faults do not know their line yet.
template <typename F> auto atLine(int line, F step)
{
    try {
        return step();
    } catch (const RuntimeError& e) {
        fail(line, e.description());
    }
}

// The entries of a section that holds each key at most once, keyed by the key.
QMap<QString, ReportFileSections::Entry> settings(const ReportFileSections::Section& section,
                                                  const QStringList& allowed)
{
    QMap<QString, ReportFileSections::Entry> found;
    for (const auto& entry : section.entries) {
        if (!allowed.contains(entry.key))
            fail(entry.line,
                 QStringLiteral("\"%1\" is not a setting of [%2]").arg(entry.key, section.kind));
        if (found.contains(entry.key))
            fail(entry.line, QStringLiteral("\"%1\" is set twice").arg(entry.key));
        found.insert(entry.key, entry);
    }
    return found;
}

const ReportFileSections::Entry& required(const QMap<QString, ReportFileSections::Entry>& found,
                                          const ReportFileSections::Section& section,
                                          const QString& key)
{
    const auto it = found.find(key);
    if (it == found.end())
        fail(section.line,
             QStringLiteral("[%1 %2] needs \"%3 = ...\"").arg(section.kind, section.name, key));
    return *it;
}

QString requireName(const ReportFileSections::Section& section)
{
    static const QRegularExpression shape(QStringLiteral(R"(^[A-Za-z_]\w*$)"));
    if (!shape.match(section.name).hasMatch())
        fail(section.line, QStringLiteral("[%1] needs a name: [%1 NAME]").arg(section.kind));
    return section.name;
}

bool isPageValue(const QString& name)
{
    return name.compare(u"PageNumber", Qt::CaseInsensitive) == 0 ||
           name.compare(u"PageCount", Qt::CaseInsensitive) == 0;
}

} // namespace

ReportDefinition ReportFileParser::load(const QString& path)
{
    QFile file(path);
    if (!QFileInfo::exists(path))
        throw RuntimeError(errors::ReportFile,
                           QStringLiteral("The report file \"%1\" cannot be found.").arg(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RuntimeError(errors::ReportFile, QStringLiteral("The report file \"%1\" cannot be "
                                                              "read: %2.")
                                                   .arg(path, file.errorString()));
    try {
        return parse(QString::fromUtf8(file.readAll()));
    } catch (const RuntimeError& e) {
        throw RuntimeError(errors::ReportFile, QStringLiteral("The report file \"%1\" is not "
                                                              "valid: %2.")
                                                   .arg(path, e.description()));
    }
}

ReportDefinition ReportFileParser::parse(const QString& text)
{
    ReportFileParser parser;
    for (const Section& section : ReportFileSections::split(text))
        parser.read(section);
    if (parser.m_definition.bands.isEmpty())
        fail(1, QStringLiteral("the report has no layout: no [title], [fields] or [table]"));
    return parser.m_definition;
}

void ReportFileParser::read(const Section& section)
{
    using Reader = void (ReportFileParser::*)(const Section&);
    static const QMap<QString, Reader> readers = {
        {QStringLiteral("report"), &ReportFileParser::readReport},
        {QStringLiteral("parameters"), &ReportFileParser::readParameters},
        {QStringLiteral("name"), &ReportFileParser::readName},
        {QStringLiteral("query"), &ReportFileParser::readQuery},
        {QStringLiteral("schedule"), &ReportFileParser::readSchedule},
        {QStringLiteral("title"), &ReportFileParser::readTitle},
        {QStringLiteral("fields"), &ReportFileParser::readFields},
        {QStringLiteral("table"), &ReportFileParser::readTable},
        {QStringLiteral("signatures"), &ReportFileParser::readSignatures},
        {QStringLiteral("footer"), &ReportFileParser::readFooter},
    };
    const auto reader = readers.find(section.kind);
    if (reader == readers.end())
        fail(section.line, QStringLiteral("[%1] is not a kind of section").arg(section.kind));
    (this->*reader.value())(section);
}

void ReportFileParser::readReport(const Section& section)
{
    const auto found = settings(section, {QStringLiteral("title"), QStringLiteral("paper"),
                                          QStringLiteral("margin"), QStringLiteral("font"),
                                          QStringLiteral("stamp")});
    if (found.contains(QStringLiteral("title"))) {
        const Entry& title = found[QStringLiteral("title")];
        m_definition.documentTitle = layoutText(title, title.value);
    }
    if (found.contains(QStringLiteral("stamp"))) {
        const Entry& stamp = found[QStringLiteral("stamp")];
        m_definition.stamp = layoutText(stamp, stamp.value);
    }
    if (found.contains(QStringLiteral("paper"))) {
        static const QMap<QString, QPageSize::PageSizeId> papers = {
            {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},
            {QStringLiteral("letter"), QPageSize::Letter},
            {QStringLiteral("legal"), QPageSize::Legal}};
        const Entry& paper = found[QStringLiteral("paper")];
        if (!papers.contains(paper.value.toLower()))
            fail(paper.line, QStringLiteral("the paper must be A4, A5, Letter or Legal"));
        m_definition.paper = papers[paper.value.toLower()];
    }
    if (found.contains(QStringLiteral("margin"))) {
        const Entry& margin = found[QStringLiteral("margin")];
        bool ok = false;
        m_definition.marginMillimetres = margin.value.toDouble(&ok);
        if (!ok || m_definition.marginMillimetres < 0 || m_definition.marginMillimetres > 50)
            fail(margin.line, QStringLiteral("the margin is a number of millimetres, 0 to 50"));
    }
    if (found.contains(QStringLiteral("font")))
        m_definition.font = found[QStringLiteral("font")].value;
}

void ReportFileParser::readParameters(const Section& section)
{
    static const QRegularExpression nameShape(QStringLiteral(R"(^@?[A-Za-z_]\w*$)"));
    static const QRegularExpression typeShape(QStringLiteral(R"(^(number|text)(\s+required)?$)"),
                                              QRegularExpression::CaseInsensitiveOption);
    for (const Entry& entry : section.entries) {
        if (!nameShape.match(entry.key).hasMatch())
            fail(entry.line, QStringLiteral("\"%1\" is not a parameter name").arg(entry.key));
        if (m_definition.parameter(entry.key))
            fail(entry.line, QStringLiteral("the parameter %1 is declared twice").arg(entry.key));
        const QRegularExpressionMatch type = typeShape.match(entry.value.simplified());
        if (!type.hasMatch())
            fail(entry.line, QStringLiteral("a parameter is \"number\" or \"text\", then "
                                            "optionally \"required\""));
        const bool number = type.captured(1).compare(u"number", Qt::CaseInsensitive) == 0;
        m_definition.parameters.append({entry.key,
                                        number ? ReportDefinition::Parameter::Type::Number
                                               : ReportDefinition::Parameter::Type::Text,
                                        type.hasCaptured(2)});
    }
}

void ReportFileParser::checkNewDataSet(const Section& section) const
{
    const QString name = requireName(section);
    if (m_definition.hasDataSet(name) || m_definition.hasName(name))
        fail(section.line, QStringLiteral("the name %1 is used twice").arg(name));
}

void ReportFileParser::readName(const Section& section)
{
    checkNewDataSet(section);
    const auto found = settings(section, {QStringLiteral("sql"), QStringLiteral("default")});
    m_definition.names.append({section.name,
                               statement(required(found, section, QStringLiteral("sql"))),
                               found.value(QStringLiteral("default")).value});
}

void ReportFileParser::readQuery(const Section& section)
{
    checkNewDataSet(section);
    const auto found =
        settings(section, {QStringLiteral("sql"), QStringLiteral("rows"), QStringLiteral("none")});
    ReportDefinition::Query query;
    query.name = section.name;
    query.sql = statement(required(found, section, QStringLiteral("sql")));
    if (found.contains(QStringLiteral("rows"))) {
        const Entry& rows = found[QStringLiteral("rows")];
        if (rows.value != u"one" && rows.value != u"many")
            fail(rows.line, QStringLiteral("rows is \"one\" or \"many\""));
        query.singleRow = rows.value == u"one";
    }
    if (found.contains(QStringLiteral("none"))) {
        const Entry& none = found[QStringLiteral("none")];
        if (!query.singleRow)
            fail(none.line, QStringLiteral("\"none\" belongs to a query of \"rows = one\""));
        query.noRowMessage = layoutText(none, none.value);
    }
    m_definition.queries.append(query);
}

Template::Reference ReportFileParser::scheduleInput(const Section& section,
                                                    const QString& key) const
{
    for (const Entry& entry : section.entries) {
        if (entry.key != key)
            continue;
        const auto reference =
            atLine(entry.line, [&] { return Template::parse(entry.value); }).soleReference();
        const ReportDefinition::Query* query =
            reference ? m_definition.query(reference->source) : nullptr;
        if (!query || !query->singleRow)
            fail(entry.line, QStringLiteral("%1 must name one field of a query of \"rows = "
                                            "one\" above, as {query.field}")
                                 .arg(key));
        return *reference;
    }
    fail(section.line, QStringLiteral("[schedule %1] needs \"%2 = ...\"").arg(section.name, key));
}

void ReportFileParser::readSchedule(const Section& section)
{
    checkNewDataSet(section);
    const auto found = settings(section, {QStringLiteral("amount"), QStringLiteral("payments"),
                                          QStringLiteral("instalment"),
                                          QStringLiteral("first month"), QStringLiteral("terms")});
    QString terms;
    if (found.contains(QStringLiteral("terms"))) {
        const Entry& entry = found[QStringLiteral("terms")];
        terms = entry.value;
        if (!QRegularExpression(QStringLiteral(R"(^[A-Za-z_]\w*$)")).match(terms).hasMatch() ||
            terms.compare(section.name, Qt::CaseInsensitive) == 0 ||
            m_definition.hasDataSet(terms) || m_definition.hasName(terms))
            fail(entry.line, QStringLiteral("terms names a data set of its own"));
    }
    m_definition.schedules.append({section.name, scheduleInput(section, QStringLiteral("amount")),
                                   scheduleInput(section, QStringLiteral("payments")),
                                   scheduleInput(section, QStringLiteral("instalment")),
                                   scheduleInput(section, QStringLiteral("first month")), terms});
}

void ReportFileParser::readTitle(const Section& section)
{
    ReportDefinition::TitleBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key == u"heading")
            band.headings.append(layoutText(entry, entry.value));
        else if (entry.key == u"subheading")
            band.subheadings.append(layoutText(entry, entry.value));
        else
            fail(entry.line, QStringLiteral("[title] holds \"heading\" and \"subheading\""));
    }
    m_definition.bands.append(band);
}

void ReportFileParser::readFields(const Section& section)
{
    ReportDefinition::FieldsBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key != u"row" && entry.key != u"optional row")
            fail(entry.line, QStringLiteral("[fields] holds \"row\" and \"optional row\""));
        const QStringList cells = entry.value.split(u'|');
        if (cells.size() != 2 && cells.size() != 4)
            fail(entry.line, QStringLiteral("a row is \"label | value\" or \"label | value | "
                                            "label | value\""));
        ReportDefinition::FieldRow row;
        row.optional = entry.key == u"optional row";
        for (const QString& cell : cells)
            row.cells.append(layoutText(entry, cell.trimmed()));
        band.rows.append(row);
    }
    m_definition.bands.append(band);
}

void ReportFileParser::readTable(const Section& section)
{
    ReportDefinition::TableBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key == u"rows") {
            if (!m_definition.hasDataSet(entry.value))
                fail(entry.line,
                     QStringLiteral("there is no query or schedule %1 above").arg(entry.value));
            band.rows = entry.value;
        } else if (entry.key == u"caption") {
            band.caption = entry.value;
        } else if (entry.key != u"column" && entry.key != u"optional column") {
            fail(entry.line, QStringLiteral("[table] holds \"rows\", \"caption\" and \"column\""));
        }
    }
    if (band.rows.isEmpty())
        fail(section.line, QStringLiteral("[table] needs \"rows = ...\" before its columns"));
    static const QMap<QString, Qt::Alignment> alignments = {
        {QStringLiteral("left"), Qt::AlignLeft},
        {QStringLiteral("right"), Qt::AlignRight},
        {QStringLiteral("center"), Qt::AlignHCenter}};
    for (const Entry& entry : section.entries) {
        if (entry.key != u"column" && entry.key != u"optional column")
            continue;
        const QStringList parts = entry.value.split(u'|');
        if (parts.size() != 4 && parts.size() != 5)
            fail(entry.line, QStringLiteral("a column is \"heading | value | alignment | width\" "
                                            "and optionally \"| sum\" or \"| text\""));
        ReportDefinition::Column column;
        column.optional = entry.key == u"optional column";
        column.heading = parts[0].trimmed();
        column.value = layoutText(entry, parts[1].trimmed(), band.rows);
        const QString alignment = parts[2].trimmed().toLower();
        if (!alignments.contains(alignment))
            fail(entry.line, QStringLiteral("the alignment is left, right or center"));
        column.alignment = alignments[alignment];
        bool ok = false;
        column.width = parts[3].trimmed().toDouble(&ok);
        if (!ok || column.width <= 0)
            fail(entry.line, QStringLiteral("the width is a positive number"));
        if (parts.size() == 5) {
            const QString total = parts[4].trimmed();
            column.total = total == u"sum" ? ReportDefinition::Column::Total::Sum
                                           : ReportDefinition::Column::Total::Text;
            column.totalText = total;
            if (column.total == ReportDefinition::Column::Total::Sum &&
                !column.value.soleReference())
                fail(entry.line, QStringLiteral("a column that is summed shows one field"));
        }
        band.columns.append(column);
    }
    if (band.columns.isEmpty())
        fail(section.line, QStringLiteral("[table] needs at least one column"));
    m_definition.bands.append(band);
}

void ReportFileParser::readSignatures(const Section& section)
{
    ReportDefinition::SignaturesBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key != u"sign")
            fail(entry.line, QStringLiteral("[signatures] holds \"sign\" entries"));
        band.captions.append(entry.value);
    }
    if (band.captions.isEmpty() || band.captions.size() > 3)
        fail(section.line, QStringLiteral("[signatures] holds one to three \"sign\" entries"));
    m_definition.bands.append(band);
}

void ReportFileParser::readFooter(const Section& section)
{
    const auto found = settings(
        section, {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")});
    auto text = [&](const QString& key) {
        const Entry entry = found.value(key);
        return layoutText(entry, entry.value, QString(), true);
    };
    m_definition.footer = {text(QStringLiteral("left")), text(QStringLiteral("center")),
                           text(QStringLiteral("right"))};
}

QString ReportFileParser::statement(const Entry& entry) const
{
    const QStringList names =
        atLine(entry.line, [&] { return StatementBinder::references(entry.value); });
    for (const QString& name : names) {
        if (!m_definition.parameter(name) && !m_definition.hasName(name))
            fail(entry.line, QStringLiteral("{%1} is neither a parameter nor a [name] declared "
                                            "above")
                                 .arg(name));
    }
    return entry.value;
}

Template ReportFileParser::layoutText(const Entry& entry, const QString& text,
                                      const QString& rowSet, bool pageValues) const
{
    const Template parsed = atLine(entry.line, [&] { return Template::parse(text); });
    for (const Template::Reference& reference : parsed.references()) {
        if (reference.source.isEmpty()) {
            if (m_definition.parameter(reference.field) ||
                reference.field.compare(u"Now", Qt::CaseInsensitive) == 0)
                continue;
            if (isPageValue(reference.field) && pageValues)
                continue;
            fail(entry.line,
                 isPageValue(reference.field)
                     ? QStringLiteral("{%1} belongs in the [footer]").arg(reference.field)
                     : QStringLiteral("{%1} is not a parameter declared above")
                           .arg(reference.field));
        }
        if (reference.source.compare(rowSet, Qt::CaseInsensitive) == 0 ||
            m_definition.isOneRowSet(reference.source))
            continue;
        fail(entry.line, m_definition.hasDataSet(reference.source)
                             ? QStringLiteral("{%1.%2}: the rows of %1 can only be shown in its "
                                              "[table]")
                                   .arg(reference.source, reference.field)
                             : QStringLiteral("{%1.%2}: there is no query %1 above")
                                   .arg(reference.source, reference.field));
    }
    return parsed;
}

} // namespace rpt
