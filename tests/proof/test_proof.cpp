#include "ProofTests.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto run : {runFaultInjectionTests, runBadInputTests, runRightsBypassTests,
                     runConcurrencyProofTests, runServerStatementsTests})
        failures += run(argc, argv);
    return failures;
}
