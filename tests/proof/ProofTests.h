#pragma once

int runConcurrencyProofTests(int argc, char** argv);
int runFaultInjectionTests(int argc, char** argv);
int runBadInputTests(int argc, char** argv);
int runRightsBypassTests(int argc, char** argv);
int runServerStatementsTests(int argc, char** argv);
