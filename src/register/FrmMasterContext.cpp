// The line below the grid that tells the clerk what the list holds.
#include "register/FrmMaster.h"

#include "platform/grid/FlexGrid.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

void FrmMaster::showListContext()
{
    // An empty list is one blank row.
    const int listed = flexMaster->TextMatrix(1, 0).isEmpty() ? 0 : flexMaster->Rows() - 1;
    const QLocale locale;
    QString text = (listed == 1 ? QStringLiteral("1 issue listed")
                                : QStringLiteral("%1 issues listed").arg(locale.toString(listed))) +
                   QStringLiteral(", %1 of them cancelled").arg(locale.toString(m_cancelledIssues));
    if (m_previousDays > 0)
        text += QStringLiteral("; only issues of the last %1 days are shown")
                    .arg(locale.toString(m_previousDays));
    lblListContext->setText(text);
}

void FrmMaster::issuesAddedOrCancelled()
{
    // The load disabled Preview for an empty list; its first issue brings the right back.
    if (!flexMaster->TextMatrix(1, 0).isEmpty())
        cmdPreview->setEnabled(holdsRight(QStringLiteral("P")));
    showListContext();
}
