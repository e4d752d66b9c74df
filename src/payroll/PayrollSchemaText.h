#pragma once

namespace payroll {

// The text of PayrollSchema.sql, compiled in by the build.
extern const char* const payrollSchemaText;
// The text of PayrollSchemaSqlServer.sql: the column types SQL Server gives the tables.
extern const char* const sqlServerSchemaText;

} // namespace payroll
