#include "common/BasLoan.h"

#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "grid/KeyCodes.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace BasLoan {

namespace {

constexpr char TagProperty[] = "Tag";
QPointer<FlexGrid> registerGrid;

// A check box's value: 0 unticked, 1 ticked, 2 greyed.
int checkValue(const QCheckBox* check)
{
    switch (check->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

// Controls whose entries a snapshot covers, in the window's control order.
QList<QWidget*> entryControls(const QWidget* frm)
{
    QList<QWidget*> controls;
    for (QWidget* w : frm->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QCheckBox*>(w))
            controls.append(w);
    }
    return controls;
}

QString entryOf(const QWidget* control)
{
    if (auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex() >= 0 || combo->isEditable() ? combo->currentText() : QString();
    if (auto* check = qobject_cast<const QCheckBox*>(control))
        return QString::number(checkValue(check));
    return QString();
}

QString upToOrderBy(const QString& statement)
{
    const qsizetype at = statement.indexOf(QLatin1String("order by"), 0, Qt::CaseInsensitive);
    return at < 0 ? statement : statement.left(at);
}

} // namespace

void EnterAsTab(qint16& KeyAscii)
{
    if (KeyAscii != key_codes::Enter)
        return;
    if (QWidget* focus = QApplication::focusWidget())
        QCoreApplication::postEvent(focus,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

bool fnCheckMandatory(QLineEdit* ctl, const QString& strMessage, const QString& strTitle)
{
    if (!vb::Trim(ctl->text()).isEmpty())
        return true;
    msgbox::MsgBox(strMessage, msgbox::vbInformation, strTitle);
    if (ctl->isEnabled() && ctl->isVisibleTo(ctl->window()))
        ctl->setFocus();
    return false;
}

QString Tag(const QObject* control)
{
    return control->property(TagProperty).toString();
}

void setTag(QObject* control, const QString& tag)
{
    control->setProperty(TagProperty, tag);
}

void TagControlValues(QWidget* frm)
{
    for (QWidget* control : entryControls(frm))
        setTag(control, entryOf(control));
}

bool fnControlsChanged(const QWidget* frm)
{
    for (const QWidget* control : entryControls(frm)) {
        if (qobject_cast<const QCheckBox*>(control)) {
            if (vb::Val(Tag(control)) != vb::Val(entryOf(control)))
                return true;
        } else if (vb::Trim(entryOf(control)) != vb::Trim(Tag(control))) {
            return true;
        }
    }
    return false;
}

FlexGrid* flexMaster()
{
    return registerGrid.data();
}

void setFlexMaster(FlexGrid* grid)
{
    registerGrid = grid;
}

QString currentIssueIdText()
{
    return registerGrid ? registerGrid->TextMatrix(registerGrid->Row(), 0) : QString();
}

void RefreshGridRow(const QString& strCondition, qint32 lngID)
{
    FlexGrid* grid = flexMaster();
    if (!grid)
        return;
    try {
        QString sql = upToOrderBy(strMasterSQL);
        sql +=
            sql.contains(QLatin1String("where"), Qt::CaseInsensitive) ? u" and "_s : u" where "_s;
        sql += strCondition;

        ado::Recordset rs;
        rs.Open(sql, adocon(), ado::CursorType::Keyset, ado::LockType::ReadOnly);
        if (rs.isEOF()) {
            rs.Close();
            return;
        }
        const int n = grid->Cols();
        if (rs.fieldCount() < n)
            throw RuntimeError(RuntimeError::ItemNotFound,
                               u"Item cannot be found in the collection "
                               "corresponding to the requested name or ordinal."_s);
        if (strMode == u"E") {
            for (int c = 1; c < n; ++c)
                grid->setTextMatrix(grid->Row(), c, vb::TextOf(rs.value(c)));
        } else if (grid->Rows() == 2 && grid->TextMatrix(1, 0).isEmpty()) {
            for (int c = 0; c < n; ++c)
                grid->setTextMatrix(1, c, vb::TextOf(rs.value(c)));
        } else {
            QString row = QString::number(lngID);
            for (int c = 1; c < n; ++c)
                row += u'\t' + vb::TextOf(rs.value(c));
            grid->AddItem(row);
            grid->setRow(grid->Rows() - 1);
            grid->setTopRow(grid->Row());
            grid->setCol(0);
            grid->setColSel(n - 1);
        }
        rs.Close();
    } catch (const RuntimeError& e) {
        msgbox::MsgBox(e.description(), msgbox::vbInformation, MsgboxTitle);
    }
}

} // namespace BasLoan
