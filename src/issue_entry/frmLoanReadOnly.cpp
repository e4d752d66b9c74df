// An issue that may no longer be changed opens view only, and the window says why at its top.
#include "issue_entry/frmLoan.h"

#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

void frmLoan::showReadOnly(const QString& reason)
{
    cmdOK->setEnabled(false);
    cmdOK->setToolTip(reason);
    fraloan->setEnabled(false);
    if (!lblReadOnly) {
        lblReadOnly = new QLabel(this);
        lblReadOnly->setObjectName(u"lblReadOnly"_s);
        lblReadOnly->setWordWrap(true);
        lblReadOnly->setFrameShape(QFrame::StyledPanel);
        lblReadOnly->setAutoFillBackground(true);
        lblReadOnly->setBackgroundRole(QPalette::ToolTipBase);
        lblReadOnly->setForegroundRole(QPalette::ToolTipText);
        lblReadOnly->setMargin(Twips::toPixelsX(60));
        lblReadOnly->hide(); // takes no room until placed below
    }
    lblReadOnly->setText(u"View only. "_s + reason);
    // The designed controls move down to make room above them.
    const int margin = Twips::toPixelsX(90);
    const int width = this->width() - 2 * margin;
    const int height = lblReadOnly->heightForWidth(width);
    const int taken = lblReadOnly->isVisibleTo(this) ? lblReadOnly->height() + margin : 0;
    const int shift = height + margin - taken;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != lblReadOnly)
            child->move(child->pos() + QPoint(0, shift));
    }
    lblReadOnly->setGeometry(margin, margin, width, height);
    lblReadOnly->show();
    setFixedSize(this->width(), this->height() + shift);
}
