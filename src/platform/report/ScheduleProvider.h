#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportData.h"

#include <QMap>
#include <QVariantMap>
#include <memory>

namespace rpt {

// Works out the lines of a [schedule] section. The engine knows a schedule only as the named
// values it hands in and the rows that come back; what they mean is the provider's.
class OSTRELPLATFORM_EXPORT ScheduleProvider
{
public:
    struct Result
    {
        ReportData::DataSet lines;
        ReportData::DataSet terms; // one row of what the lines rest on, for the section's terms
    };

    virtual ~ScheduleProvider() = default;
    // The inputs by their names in lower case. Raises RuntimeError when they cannot be used.
    virtual Result work(const QVariantMap& inputs) const = 0;
};

// The providers a report may name, by lower-case name.
using ScheduleProviders = QMap<QString, std::shared_ptr<const ScheduleProvider>>;

} // namespace rpt
