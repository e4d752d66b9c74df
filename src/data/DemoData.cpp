#include "data/DemoData.h"

#include "data/DemoSeedSteps.h"
#include "data/PayrollSchema.h"
#include "platform/db/Transaction.h"

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
