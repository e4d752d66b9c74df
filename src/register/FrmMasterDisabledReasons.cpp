// Every command the clerk cannot use says why, in its tooltip.
#include "register/FrmMaster.h"

#include "grid/FlexGrid.h"
#include "ui/DisabledReasonTip.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

struct Command
{
    QPushButton* FrmMaster::*button;
    char16_t letter;
    const char* name;
};

const Command Commands[] = {{&FrmMaster::cmdnew, u'N', "New"},
                            {&FrmMaster::CmdEdit, u'E', "Edit"},
                            {&FrmMaster::CmdDelete, u'D', "Delete"},
                            {&FrmMaster::cmdPreview, u'P', "Preview"}};

} // namespace

void FrmMaster::explainDisabledCommands()
{
    for (const Command& command : Commands)
        explainWhenDisabled(this->*command.button, [this, &command] {
            return whyDisabled(command.letter, QLatin1String(command.name));
        });
}

QString FrmMaster::whyDisabled(char16_t letter, const QString& name)
{
    if (m_readOnlyDatabase && letter != u'P')
        return u"This database can only be read here, so no issue can be recorded, changed or "
               "cancelled."_s;
    QString right(letter);
    if (!fnUserRights(right))
        return u"You do not hold the right \"%1\" (%2) on this register."_s.arg(name, right);
    const int row = flexMaster->Row();
    if (letter != u'N' && flexMaster->TextMatrix(row, 0).isEmpty())
        return u"No issue is listed."_s;
    if (letter == u'D' && isCancelledRow(row))
        return u"%1 is cancelled already."_s.arg(flexMaster->TextMatrix(row, 1));
    return QString();
}

bool FrmMaster::holdsRight(QString letter)
{
    // A database this user may only read takes no change, whatever the stored rights grant.
    if (m_readOnlyDatabase && letter != u"P")
        return false;
    return fnUserRights(letter);
}
