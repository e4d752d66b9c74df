// The line below the grid that tells the clerk what the list holds.
#include "register/FrmMaster.h"

#include "grid/FlexGrid.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

void FrmMaster::showListContext()
{
    // An empty list is one blank row.
    const int listed = flexMaster->TextMatrix(1, 0).isEmpty() ? 0 : flexMaster->Rows() - 1;
    // The blank row stays for the fill and the first save to use; it is only not painted.
    flexMaster->view()->setRowHidden(0, listed == 0);
    const QLocale locale;
    QString text = listed == 0   ? u"No issues listed"_s
                   : listed == 1 ? u"1 issue listed"_s
                                 : u"%1 issues listed"_s.arg(locale.toString(listed));
    if (listed > 0)
        text += u", %1 of them cancelled"_s.arg(locale.toString(m_cancelledIssues));
    if (m_previousDays > 0)
        text +=
            u"; only issues of the last %1 days are shown"_s.arg(locale.toString(m_previousDays));
    if (m_readOnlyDatabase)
        text += u"; this database can only be read here"_s;
    lblListContext->setText(text);
}

void FrmMaster::issuesAddedOrCancelled()
{
    // The load disabled Preview for an empty list; its first issue brings the right back.
    if (!flexMaster->TextMatrix(1, 0).isEmpty())
        cmdPreview->setEnabled(holdsRight(u"P"_s));
    showListContext();
}
