#pragma once

// The test classes of the entry window, run one after another by test_issue_entry's main.
int runInstalmentTests(int argc, char** argv);
int runEntryRulesTests(int argc, char** argv);
int runSavingTests(int argc, char** argv);
int runFlowTests(int argc, char** argv);
