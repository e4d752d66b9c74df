#include "report/ReportDefinition.h"

#include <algorithm>

namespace rpt {

namespace {

template <typename T> const T* findNamed(const QList<T>& list, const QString& name)
{
    for (const T& item : list) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

} // namespace

const ReportDefinition::Parameter* ReportDefinition::parameter(const QString& name) const
{
    return findNamed(parameters, name);
}

const ReportDefinition::Query* ReportDefinition::query(const QString& name) const
{
    return findNamed(queries, name);
}

bool ReportDefinition::hasName(const QString& name) const
{
    return findNamed(names, name) != nullptr;
}

bool ReportDefinition::hasDataSet(const QString& name) const
{
    return query(name) || findNamed(schedules, name) || isOneRowSet(name);
}

bool ReportDefinition::isOneRowSet(const QString& name) const
{
    if (const Query* found = query(name))
        return found->singleRow;
    return std::any_of(schedules.cbegin(), schedules.cend(), [&](const Schedule& schedule) {
        return !schedule.terms.isEmpty() && schedule.terms.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace rpt
