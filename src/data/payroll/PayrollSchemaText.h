#pragma once

namespace payroll {

// The text of PayrollSchema.sql, compiled in by the build.
extern const char* const payrollSchemaText;

} // namespace payroll
