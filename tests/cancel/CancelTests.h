#pragma once

// The test classes of cancelling an issue, run one after another by test_cancel's main.
int runCancellationDialogTests(int argc, char** argv);
int runRegisterDeleteTests(int argc, char** argv);
