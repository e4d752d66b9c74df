#pragma once

#include <QtGlobal>

// Numbers of the errors the report engine raises itself. Database failures keep the number the
// database objects gave them.
namespace rpt::errors {

constexpr qint32 InvalidPropertyValue = 380;
constexpr qint32 ReportFile = qint32(0x80040A01);    // missing, unreadable or not valid
constexpr qint32 Parameter = qint32(0x80040A02);     // a parameter field that cannot be used
constexpr qint32 NoData = qint32(0x80040A03);        // a one-row statement found no row
constexpr qint32 LogOn = qint32(0x80040A04);         // no data source could be opened
constexpr qint32 Output = qint32(0x80040A05);        // printing or writing a PDF failed
constexpr qint32 InvalidAction = qint32(0x80040A06); // an action the engine does not know

} // namespace rpt::errors
