#include "report/ReportFileParser.h"

#include "report/ReportErrors.h"
#include "report/StatementBinder.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

[[noreturn]] void fail(int line, const QString& what)
{
    throw RuntimeError(errors::ReportFile, u"line %1: %2"_s.arg(line).arg(what));
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
            fail(entry.line, u"\"%1\" is not a setting of [%2]"_s.arg(entry.key, section.kind));
        if (found.contains(entry.key))
            fail(entry.line, u"\"%1\" is set twice"_s.arg(entry.key));
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
        fail(section.line, u"[%1 %2] needs \"%3 = ...\""_s.arg(section.kind, section.name, key));
    return *it;
}

QString requireName(const ReportFileSections::Section& section)
{
    static const QRegularExpression shape(uR"(^[A-Za-z_]\w*$)"_s);
    if (!shape.match(section.name).hasMatch())
        fail(section.line, u"[%1] needs a name: [%1 NAME]"_s.arg(section.kind));
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
                           u"The report file \"%1\" cannot be found."_s.arg(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RuntimeError(errors::ReportFile, u"The report file \"%1\" cannot be "
                                               "read: %2."_s.arg(path, file.errorString()));
    try {
        return parse(QString::fromUtf8(file.readAll()));
    } catch (const RuntimeError& e) {
        throw RuntimeError(errors::ReportFile, u"The report file \"%1\" is not "
                                               "valid: %2."_s.arg(path, e.description()));
    }
}

ReportDefinition ReportFileParser::parse(const QString& text)
{
    ReportFileParser parser;
    for (const Section& section : ReportFileSections::split(text))
        parser.read(section);
    if (parser.m_definition.bands.isEmpty())
        fail(1, u"the report has no layout: no [title], [fields] or [table]"_s);
    return parser.m_definition;
}

void ReportFileParser::read(const Section& section)
{
    using Reader = void (ReportFileParser::*)(const Section&);
    static const QMap<QString, Reader> readers = {
        {u"report"_s, &ReportFileParser::readReport},
        {u"parameters"_s, &ReportFileParser::readParameters},
        {u"name"_s, &ReportFileParser::readName},
        {u"query"_s, &ReportFileParser::readQuery},
        {u"schedule"_s, &ReportFileParser::readSchedule},
        {u"title"_s, &ReportFileParser::readTitle},
        {u"fields"_s, &ReportFileParser::readFields},
        {u"table"_s, &ReportFileParser::readTable},
        {u"signatures"_s, &ReportFileParser::readSignatures},
        {u"footer"_s, &ReportFileParser::readFooter},
    };
    const auto reader = readers.find(section.kind);
    if (reader == readers.end())
        fail(section.line, u"[%1] is not a kind of section"_s.arg(section.kind));
    (this->*reader.value())(section);
}

void ReportFileParser::readReport(const Section& section)
{
    const auto found =
        settings(section, {u"title"_s, u"paper"_s, u"margin"_s, u"font"_s, u"stamp"_s});
    if (found.contains(u"title"_s)) {
        const Entry& title = found[u"title"_s];
        m_definition.documentTitle = layoutText(title, title.value);
    }
    if (found.contains(u"stamp"_s)) {
        const Entry& stamp = found[u"stamp"_s];
        m_definition.stamp = layoutText(stamp, stamp.value);
    }
    if (found.contains(u"paper"_s)) {
        static const QMap<QString, QPageSize::PageSizeId> papers = {
            {u"a4"_s, QPageSize::A4},
            {u"a5"_s, QPageSize::A5},
            {u"letter"_s, QPageSize::Letter},
            {u"legal"_s, QPageSize::Legal}};
        const Entry& paper = found[u"paper"_s];
        if (!papers.contains(paper.value.toLower()))
            fail(paper.line, u"the paper must be A4, A5, Letter or Legal"_s);
        m_definition.paper = papers[paper.value.toLower()];
    }
    if (found.contains(u"margin"_s)) {
        const Entry& margin = found[u"margin"_s];
        bool ok = false;
        m_definition.marginMillimetres = margin.value.toDouble(&ok);
        if (!ok || m_definition.marginMillimetres < 0 || m_definition.marginMillimetres > 50)
            fail(margin.line, u"the margin is a number of millimetres, 0 to 50"_s);
    }
    if (found.contains(u"font"_s))
        m_definition.font = found[u"font"_s].value;
}

void ReportFileParser::readParameters(const Section& section)
{
    static const QRegularExpression nameShape(uR"(^@?[A-Za-z_]\w*$)"_s);
    static const QRegularExpression typeShape(uR"(^(number|text)(\s+required)?$)"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    for (const Entry& entry : section.entries) {
        if (!nameShape.match(entry.key).hasMatch())
            fail(entry.line, u"\"%1\" is not a parameter name"_s.arg(entry.key));
        if (m_definition.parameter(entry.key))
            fail(entry.line, u"the parameter %1 is declared twice"_s.arg(entry.key));
        const QRegularExpressionMatch type = typeShape.match(entry.value.simplified());
        if (!type.hasMatch())
            fail(entry.line, u"a parameter is \"number\" or \"text\", then "
                             "optionally \"required\""_s);
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
        fail(section.line, u"the name %1 is used twice"_s.arg(name));
}

void ReportFileParser::readName(const Section& section)
{
    checkNewDataSet(section);
    const auto found = settings(section, {u"sql"_s, u"default"_s});
    m_definition.names.append({section.name, statement(required(found, section, u"sql"_s)),
                               found.value(u"default"_s).value});
}

void ReportFileParser::readQuery(const Section& section)
{
    checkNewDataSet(section);
    const auto found = settings(section, {u"sql"_s, u"rows"_s, u"none"_s});
    ReportDefinition::Query query;
    query.name = section.name;
    query.sql = statement(required(found, section, u"sql"_s));
    if (found.contains(u"rows"_s)) {
        const Entry& rows = found[u"rows"_s];
        if (rows.value != u"one" && rows.value != u"many")
            fail(rows.line, u"rows is \"one\" or \"many\""_s);
        query.singleRow = rows.value == u"one";
    }
    if (found.contains(u"none"_s)) {
        const Entry& none = found[u"none"_s];
        if (!query.singleRow)
            fail(none.line, u"\"none\" belongs to a query of \"rows = one\""_s);
        query.noRowMessage = layoutText(none, none.value);
    }
    m_definition.queries.append(query);
}

Template::Reference ReportFileParser::scheduleInput(const Entry& entry) const
{
    const auto reference =
        atLine(entry.line, [&] { return Template::parse(entry.value); }).soleReference();
    const ReportDefinition::Query* query =
        reference ? m_definition.query(reference->source) : nullptr;
    if (!query || !query->singleRow)
        fail(entry.line, u"%1 must name one field of a query of \"rows = "
                         "one\" above, as {query.field}"_s.arg(entry.key));
    return *reference;
}

void ReportFileParser::readSchedule(const Section& section)
{
    checkNewDataSet(section);
    ReportDefinition::Schedule schedule{section.name, {}, {}, {}};
    QStringList seen;
    for (const Entry& entry : section.entries) {
        if (seen.contains(entry.key))
            fail(entry.line, u"\"%1\" is set twice"_s.arg(entry.key));
        seen.append(entry.key);
        if (entry.key == u"provider") {
            schedule.provider = entry.value.trimmed().toLower();
        } else if (entry.key == u"terms") {
            schedule.terms = entry.value;
            if (!QRegularExpression(uR"(^[A-Za-z_]\w*$)"_s).match(schedule.terms).hasMatch() ||
                schedule.terms.compare(section.name, Qt::CaseInsensitive) == 0 ||
                m_definition.hasDataSet(schedule.terms) || m_definition.hasName(schedule.terms))
                fail(entry.line, u"terms names a data set of its own"_s);
        } else {
            schedule.inputs.append({entry.key, scheduleInput(entry)});
        }
    }
    if (schedule.provider.isEmpty())
        fail(section.line, u"[schedule %1] needs \"provider = ...\""_s.arg(section.name));
    m_definition.schedules.append(schedule);
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
            fail(entry.line, u"[title] holds \"heading\" and \"subheading\""_s);
    }
    m_definition.bands.append(band);
}

void ReportFileParser::readFields(const Section& section)
{
    ReportDefinition::FieldsBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key != u"row" && entry.key != u"optional row")
            fail(entry.line, u"[fields] holds \"row\" and \"optional row\""_s);
        const QStringList cells = entry.value.split(u'|');
        if (cells.size() != 2 && cells.size() != 4)
            fail(entry.line, u"a row is \"label | value\" or \"label | value | "
                             "label | value\""_s);
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
                fail(entry.line, u"there is no query or schedule %1 above"_s.arg(entry.value));
            band.rows = entry.value;
        } else if (entry.key == u"caption") {
            band.caption = entry.value;
        } else if (entry.key != u"column" && entry.key != u"optional column") {
            fail(entry.line, u"[table] holds \"rows\", \"caption\" and \"column\""_s);
        }
    }
    if (band.rows.isEmpty())
        fail(section.line, u"[table] needs \"rows = ...\" before its columns"_s);
    static const QMap<QString, Qt::Alignment> alignments = {
        {u"left"_s, Qt::AlignLeft}, {u"right"_s, Qt::AlignRight}, {u"center"_s, Qt::AlignHCenter}};
    for (const Entry& entry : section.entries) {
        if (entry.key != u"column" && entry.key != u"optional column")
            continue;
        const QStringList parts = entry.value.split(u'|');
        if (parts.size() != 4 && parts.size() != 5)
            fail(entry.line, u"a column is \"heading | value | alignment | width\" "
                             "and optionally \"| sum\" or \"| text\""_s);
        ReportDefinition::Column column;
        column.optional = entry.key == u"optional column";
        column.heading = parts[0].trimmed();
        column.value = layoutText(entry, parts[1].trimmed(), band.rows);
        const QString alignment = parts[2].trimmed().toLower();
        if (!alignments.contains(alignment))
            fail(entry.line, u"the alignment is left, right or center"_s);
        column.alignment = alignments[alignment];
        bool ok = false;
        column.width = parts[3].trimmed().toDouble(&ok);
        if (!ok || column.width <= 0)
            fail(entry.line, u"the width is a positive number"_s);
        if (parts.size() == 5) {
            const QString total = parts[4].trimmed();
            column.total = total == u"sum" ? ReportDefinition::Column::Total::Sum
                                           : ReportDefinition::Column::Total::Text;
            column.totalText = total;
            if (column.total == ReportDefinition::Column::Total::Sum &&
                !column.value.soleReference())
                fail(entry.line, u"a column that is summed shows one field"_s);
        }
        band.columns.append(column);
    }
    if (band.columns.isEmpty())
        fail(section.line, u"[table] needs at least one column"_s);
    m_definition.bands.append(band);
}

void ReportFileParser::readSignatures(const Section& section)
{
    ReportDefinition::SignaturesBand band;
    for (const Entry& entry : section.entries) {
        if (entry.key != u"sign")
            fail(entry.line, u"[signatures] holds \"sign\" entries"_s);
        band.captions.append(entry.value);
    }
    if (band.captions.isEmpty() || band.captions.size() > 3)
        fail(section.line, u"[signatures] holds one to three \"sign\" entries"_s);
    m_definition.bands.append(band);
}

void ReportFileParser::readFooter(const Section& section)
{
    const auto found = settings(section, {u"left"_s, u"center"_s, u"right"_s});
    auto text = [&](const QString& key) {
        const Entry entry = found.value(key);
        return layoutText(entry, entry.value, QString(), true);
    };
    m_definition.footer = {text(u"left"_s), text(u"center"_s), text(u"right"_s)};
}

QString ReportFileParser::statement(const Entry& entry) const
{
    const QStringList names =
        atLine(entry.line, [&] { return StatementBinder::references(entry.value); });
    for (const QString& name : names) {
        if (!m_definition.parameter(name) && !m_definition.hasName(name))
            fail(entry.line, u"{%1} is neither a parameter nor a [name] declared "
                             "above"_s.arg(name));
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
                     ? u"{%1} belongs in the [footer]"_s.arg(reference.field)
                     : u"{%1} is not a parameter declared above"_s.arg(reference.field));
        }
        if (reference.source.compare(rowSet, Qt::CaseInsensitive) == 0 ||
            m_definition.isOneRowSet(reference.source))
            continue;
        fail(entry.line,
             m_definition.hasDataSet(reference.source)
                 ? u"{%1.%2}: the rows of %1 can only be shown in its "
                   "[table]"_s.arg(reference.source, reference.field)
                 : u"{%1.%2}: there is no query %1 above"_s.arg(reference.source, reference.field));
    }
    return parsed;
}

} // namespace rpt
