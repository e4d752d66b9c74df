#pragma once

#include "ostrelplatform_export.h"

#include "db/Connection.h"
#include "report/ReportData.h"
#include "report/ReportDefinition.h"

#include <functional>

namespace rpt {

// Fetches a report's data: looks up its table names, runs its statements with the parameters
// filled in and works out its schedules, in the order the report file gives them.
class OSTRELPLATFORM_EXPORT ReportDataReader
{
public:
    // Told before each step: its number (from 0), the count of steps and what it reads.
    using Progress = std::function<void(int step, int steps, const QString& what)>;

    // Raises RuntimeError: a failing statement keeps the database's number and says which
    // statement failed; a one-row query that finds no row gives its "none" text (NoData).
    static ReportData read(const ReportDefinition& definition, const ReportParameters& parameters,
                           ado::Connection& connection, const Progress& progress = {});

private:
    ReportDataReader(const ReportDefinition& definition, const ReportParameters& parameters,
                     ado::Connection& connection);

    QString lookUpName(const ReportDefinition::NameLookup& lookup);
    ReportData::DataSet runQuery(const ReportDefinition::Query& query);
    // Adds the schedule's lines and, when it names them, its terms.
    void workOutSchedule(const ReportDefinition::Schedule& schedule);
    QString bound(const QString& sql) const;

    const ReportDefinition& m_definition;
    ado::Connection& m_connection;
    ReportData m_data;
    QMap<QString, QString> m_tableNames; // by lower-case name
};

} // namespace rpt
