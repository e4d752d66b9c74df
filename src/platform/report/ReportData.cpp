#include "report/ReportData.h"

#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace rpt {

ReportData::ReportData(ReportParameters parameters, QDateTime runAt)
    : m_parameters(std::move(parameters)), m_runAt(std::move(runAt))
{
}

void ReportData::addDataSet(const QString& name, DataSet set)
{
    m_sets.insert(name.toLower(), std::move(set));
}

const ReportData::DataSet* ReportData::dataSet(const QString& name) const
{
    const auto it = m_sets.constFind(name.toLower());
    return it == m_sets.cend() ? nullptr : &*it;
}

QVariant ReportData::value(const Template::Reference& reference, int row) const
{
    if (reference.source.isEmpty()) {
        if (reference.field.compare(u"Now", Qt::CaseInsensitive) == 0)
            return m_runAt;
        return m_parameters.value(reference.field);
    }
    const DataSet* set = dataSet(reference.source);
    qsizetype column = -1;
    for (qsizetype i = 0; set && column < 0 && i < set->columns.size(); ++i) {
        if (set->columns[i].compare(reference.field, Qt::CaseInsensitive) == 0)
            column = i;
    }
    if (column < 0)
        throw RuntimeError(errors::ReportFile,
                           u"The report field %1.%2 is not among the columns of "
                           "%1."_s.arg(reference.source, reference.field));
    if (row >= set->rows.size())
        return {};
    return set->rows[row][column];
}

} // namespace rpt
