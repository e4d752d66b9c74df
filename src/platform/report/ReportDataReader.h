#pragma once

#include "ostrelplatform_export.h"

#include "db/Connection.h"
#include "report/ReportData.h"
#include "report/ReportDefinition.h"
#include "report/ScheduleProvider.h"

#include <functional>

namespace rpt {

// Fetches a report's data: looks up its table names, runs its statements with the parameters
// filled in and has its schedules worked out by the providers they name, in the order the report
// file gives them.
class OSTRELPLATFORM_EXPORT ReportDataReader
{
public:
    // Told before each step: its number (from 0), the count of steps and what it reads.
    using Progress = std::function<void(int step, int steps, const QString& what)>;

    // Raises RuntimeError: a failing statement keeps the database's number and says which
    // statement failed; a one-row query that finds no row gives its "none" text (NoData); a
    // schedule whose provider is not among those given stops the report (ReportFile).
    static ReportData read(const ReportDefinition& definition, const ReportParameters& parameters,
                           ado::Connection& connection, const ScheduleProviders& providers,
                           const Progress& progress = {});

private:
    ReportDataReader(const ReportDefinition& definition, const ReportParameters& parameters,
                     ado::Connection& connection, const ScheduleProviders& providers);

    QString lookUpName(const ReportDefinition::NameLookup& lookup);
    ReportData::DataSet runQuery(const ReportDefinition::Query& query);
    // Adds the lines its provider works out and, when the schedule names them, their terms.
    void workOutSchedule(const ReportDefinition::Schedule& schedule);
    QString bound(const QString& sql) const;

    const ReportDefinition& m_definition;
    ado::Connection& m_connection;
    const ScheduleProviders& m_providers;
    ReportData m_data;
    QMap<QString, QString> m_tableNames; // by lower-case name
};

} // namespace rpt
