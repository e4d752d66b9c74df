#include "DbTests.h"

#include "platform/db/Connection.h"

#include <QCoreApplication>

// Module-wide connections, one never opened and one left open, outlive the application object
// and Qt's SQL registry: ending the process must not crash.
static ado::ConnectionPtr moduleWide[2];

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    for (auto& connection : moduleWide)
        connection = std::make_shared<ado::Connection>();
    moduleWide[1]->Open(QStringLiteral(":memory:"));
    int failures = 0;
    for (auto run : {runDialectTests, runSystemStatementTests, runRecordsetTests, runOdbcTests})
        failures += run(argc, argv);
    return failures;
}
