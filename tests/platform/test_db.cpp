#include "DbTests.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    for (auto run : {runDialectTests, runSemanticsTests, runSystemStatementTests, runRecordsetTests,
                     runConcurrencyTests, runOdbcTests})
        failures += run(argc, argv);
    return failures;
}
