#include "DemoData.h"

#include "DemoSeedSteps.h"
#include "PayrollSchema.h"
#include "db/Transaction.h"

namespace payroll {

void createDemoDatabase(ado::Connection& connection, const QDate& processDate)
{
    ado::Transaction transaction(connection);
    runSchemaStatements(connection);
    demo::seedCompanies(connection);
    demo::seedIssues(connection, processDate);
    transaction.commit();
}

} // namespace payroll
