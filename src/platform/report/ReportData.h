#pragma once

#include "ostrelplatform_export.h"

#include "report/ReportParameters.h"
#include "report/Template.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QVariant>

namespace rpt {

// What a report shows: its parameters, the rows its queries and schedules gave and the moment
// it was run (the same on the screen, on paper and in a PDF).
class OSTRELPLATFORM_EXPORT ReportData
{
public:
    struct DataSet
    {
        QStringList columns;
        QList<QVariantList> rows;
    };

    ReportData(ReportParameters parameters, QDateTime runAt);

    void addDataSet(const QString& name, DataSet set);
    // Null for an unknown set.
    const DataSet* dataSet(const QString& name) const;
    const QDateTime& runAt() const { return m_runAt; }
    const ReportParameters& parameters() const { return m_parameters; }

    // A parameter, Now, or a field of row `row` of a data set (row 0 for a one-row query).
    // Raises RuntimeError (ReportFile) for a field its query does not give.
    QVariant value(const Template::Reference& reference, int row = 0) const;

private:
    ReportParameters m_parameters;
    QDateTime m_runAt;
    QMap<QString, DataSet> m_sets; // by lower-case name
};

} // namespace rpt
