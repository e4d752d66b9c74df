#pragma once

// The test classes of the database objects, run one after another by test_db's main.
int runDialectTests(int argc, char** argv);
int runSystemStatementTests(int argc, char** argv);
int runRecordsetTests(int argc, char** argv);
int runOdbcTests(int argc, char** argv);
