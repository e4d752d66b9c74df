#pragma once

#include "common/BasLoanVariables.h"

#include <QString>

class QLineEdit;
class QWidget;
class FlexGrid;

// The procedures the module's windows share.
namespace BasLoan {

// Enter (13) moves the focus on to the next control in tab order once the current key has been
// handled; the key itself is left alone.
void EnterAsTab(qint16& KeyAscii);

// True when the box holds text other than blanks; otherwise tells the user (information box),
// moves the focus to the box where it can take it, and answers false.
bool fnCheckMandatory(QLineEdit* ctl, const QString& strMessage, const QString& strTitle);

// Takes the snapshot of a window's entries into each control's Tag: texts of text and combo
// boxes, the value of check boxes (0, 1, 2) as text.
void TagControlValues(QWidget* frm);

// True when an entry differs from its snapshot: texts compared trimmed and case-sensitive,
// check boxes by value.
bool fnControlsChanged(const QWidget* frm);

// A control's snapshot (its Tag), empty when none was taken.
QString Tag(const QObject* control);
void setTag(QObject* control, const QString& tag);

// The register's grid, while the register is loaded (the selected issue travels in its current
// row), and the issue id text in that row's first column.
FlexGrid* flexMaster();
void setFlexMaster(FlexGrid* grid);
QString currentIssueIdText();

// Brings the register row of one issue up to date from the list statement: strMode "E"
// rewrites the current row, otherwise the blank row of an empty list is filled or a row is
// appended, selected and scrolled to the top. Every failure is shown in an information box.
void RefreshGridRow(const QString& strCondition, qint32 lngID);

} // namespace BasLoan
