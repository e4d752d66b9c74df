#pragma once

#include <QStringList>

class FlexGrid;
class FrmMaster;

// The test classes of the register, run one after another by test_register's main.
int runGridFillTests(int argc, char** argv);
int runRightsTests(int argc, char** argv);
int runSearchSortTests(int argc, char** argv);
int runRefreshGridRowTests(int argc, char** argv);

// The texts of one grid row, or of one column's data rows.
QStringList rowTexts(const FlexGrid& grid, int row);
QStringList columnTexts(const FlexGrid& grid, int col);
// Which of New, Edit, Delete and Preview are enabled, as their letters.
QString enabledCommands(const FrmMaster& register_);
