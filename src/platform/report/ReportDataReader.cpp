#include "report/ReportDataReader.h"

#include "db/Recordset.h"
#include "report/ReportErrors.h"
#include "report/StatementBinder.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

// Runs one statement step; a failure says which statement it was.
template <typename F> auto statementStep(const QString& label, F step)
{
    try {
        return step();
    } catch (const RuntimeError& e) {
        if (e.number() == errors::NoData)
            throw;
        throw RuntimeError(e.number(),
                           u"The report statement %1 failed: %2"_s.arg(label, e.description()),
                           e.source());
    }
}

bool isTableName(const QString& name)
{
    static const QRegularExpression shape(
        uR"(^(\[[^\]]+\]|[A-Za-z_#][\w@$#]*)(\.(\[[^\]]+\]|[A-Za-z_#][\w@$#]*))*$)"_s);
    return shape.match(name).hasMatch();
}

} // namespace

ReportDataReader::ReportDataReader(const ReportDefinition& definition,
                                   const ReportParameters& parameters, ado::Connection& connection,
                                   const ScheduleProviders& providers)
    : m_definition(definition), m_connection(connection), m_providers(providers),
      m_data(parameters, QDateTime::currentDateTime())
{
}

ReportData ReportDataReader::read(const ReportDefinition& definition,
                                  const ReportParameters& parameters, ado::Connection& connection,
                                  const ScheduleProviders& providers, const Progress& progress)
{
    ReportDataReader reader(definition, parameters, connection, providers);
    const int steps =
        int(definition.names.size() + definition.queries.size() + definition.schedules.size());
    int step = 0;
    auto tell = [&](const QString& what) {
        if (progress)
            progress(step++, steps, what);
    };
    for (const auto& lookup : definition.names) {
        tell(lookup.name);
        reader.m_tableNames.insert(lookup.name.toLower(), reader.lookUpName(lookup));
    }
    for (const auto& query : definition.queries) {
        tell(query.name);
        reader.m_data.addDataSet(query.name, reader.runQuery(query));
    }
    for (const auto& schedule : definition.schedules) {
        tell(schedule.name);
        reader.workOutSchedule(schedule);
    }
    return std::move(reader.m_data);
}

QString ReportDataReader::bound(const QString& sql) const
{
    return StatementBinder::bind(sql, [this](const QString& name) {
        const auto table = m_tableNames.constFind(name.toLower());
        return table != m_tableNames.cend() ? *table : m_data.parameters().sqlLiteral(name);
    });
}

QString ReportDataReader::lookUpName(const ReportDefinition::NameLookup& lookup)
{
    const QString label = u"[name %1]"_s.arg(lookup.name);
    // The last row wins, as in the module's own table-name resolution.
    const QVariant found = statementStep(label, [&] {
        ado::Recordset rs;
        rs.Open(bound(lookup.sql), m_connection, ado::CursorType::ForwardOnly,
                ado::LockType::ReadOnly);
        QVariant last;
        for (; !rs.isEOF(); rs.MoveNext())
            last = rs.value(0);
        rs.Close();
        return last;
    });
    const QString name = vb::Trim(vb::TextOf(found));
    if (name.isEmpty() && !lookup.fallback.isEmpty())
        return lookup.fallback;
    // The name goes into statements as it is, so it must be a name and nothing more.
    if (!isTableName(name))
        throw RuntimeError(errors::NoData, u"The report statement %1 gave \"%2\", "
                                           "which is not a table name."_s.arg(label, name));
    return name;
}

ReportData::DataSet ReportDataReader::runQuery(const ReportDefinition::Query& query)
{
    const QString label = u"[query %1]"_s.arg(query.name);
    ReportData::DataSet set = statementStep(label, [&] {
        ado::Recordset rs;
        rs.Open(bound(query.sql), m_connection, ado::CursorType::ForwardOnly,
                ado::LockType::ReadOnly);
        ReportData::DataSet read;
        for (int i = 0; i < rs.fieldCount(); ++i)
            read.columns.append(rs.fieldName(i));
        for (; !rs.isEOF(); rs.MoveNext()) {
            QVariantList row;
            for (int i = 0; i < rs.fieldCount(); ++i)
                row.append(rs.value(i));
            read.rows.append(row);
            if (query.singleRow)
                break;
        }
        rs.Close();
        return read;
    });
    if (query.singleRow && set.rows.isEmpty()) {
        const QString message = query.noRowMessage.render(
            [this](const Template::Reference& r) { return m_data.value(r); });
        throw RuntimeError(errors::NoData, message.isEmpty()
                                               ? u"The report found no row for %1."_s.arg(label)
                                               : message);
    }
    return set;
}

void ReportDataReader::workOutSchedule(const ReportDefinition::Schedule& schedule)
{
    const auto provider = m_providers.constFind(schedule.provider);
    if (provider == m_providers.cend() || !*provider)
        throw RuntimeError(errors::ReportFile,
                           u"The schedule %1 names the provider \"%2\", which this program "
                           "does not offer."_s.arg(schedule.name, schedule.provider));
    QVariantMap inputs;
    for (const auto& [name, reference] : schedule.inputs)
        inputs.insert(name, m_data.value(reference));
    ScheduleProvider::Result result = (*provider)->work(inputs);
    m_data.addDataSet(schedule.name, std::move(result.lines));
    if (!schedule.terms.isEmpty())
        m_data.addDataSet(schedule.terms, std::move(result.terms));
}

} // namespace rpt
