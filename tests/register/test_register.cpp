#include "RegisterTests.h"

#include "platform/grid/FlexGrid.h"
#include "register/FrmMaster.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>

QStringList rowTexts(const FlexGrid& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.Cols(); ++c)
        texts << grid.TextMatrix(row, c);
    return texts;
}

QStringList columnTexts(const FlexGrid& grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, col);
    return texts;
}

QString enabledCommands(const FrmMaster& register_)
{
    QString letters;
    for (auto [button, letter] : {std::pair{register_.cmdnew, u'N'},
                                  {register_.CmdEdit, u'E'},
                                  {register_.CmdDelete, u'D'},
                                  {register_.cmdPreview, u'P'}}) {
        if (button->isEnabled())
            letters += letter;
    }
    return letters;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Dates show in one known short form, whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (auto run : {runGridFillTests, runRightsTests, runSearchSortTests, runRefreshGridRowTests})
        failures += run(argc, argv);
    return failures;
}
