// The register's size and arrangement: following the window's edges, fitting the columns, and
// coming back as the clerk left it.
#include "register/FrmMaster.h"

#include "common/BasLoan.h"
#include "grid/FlexGrid.h"
#include "register/RememberedLayout.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Room left for the window's frame and title bar, which are not part of its geometry.
constexpr int FrameRoom = 16;
constexpr int TitleRoom = 40;

// Whether some screen shows enough of the window's top (its title bar) to take hold of it.
bool onSomeScreen(const QRect& window)
{
    const QRect top(window.left(), window.top() - TitleRoom / 2, window.width(), TitleRoom);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = screen->availableGeometry().intersected(top);
        if (seen.width() >= 100 && seen.height() >= TitleRoom / 4)
            return true;
    }
    return false;
}

} // namespace

void FrmMaster::resizeEvent(QResizeEvent* e)
{
    SingleInstanceForm::resizeEvent(e);
    m_anchors.apply(size() - minimumSize());
}

void FrmMaster::applyRememberedLayout()
{
    const RememberedLayout kept = RememberedLayout::read(BasLoan::strtype, BasLoan::intUserID);
    if (kept.columnWidths.size() == flexMaster->Cols()) {
        for (int c = 1; c < flexMaster->Cols(); ++c) {
            if (kept.columnWidths[c] > 0)
                flexMaster->setColWidth(c, kept.columnWidths[c]);
        }
    }
    if (kept.sortColumn > 0 && kept.sortColumn < flexMaster->Cols())
        sortOnHeading(kept.sortColumn, kept.sortDescending);

    if (kept.geometry.isNull()) {
        fitToColumns();
        return;
    }
    QRect place(kept.geometry.topLeft(), kept.geometry.size().expandedTo(minimumSize()));
    if (!onSomeScreen(place)) {
        // Left on a screen that is gone: brought back to the middle of the main one.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        place.setSize(place.size()
                          .boundedTo(screen.size() - QSize(FrameRoom, TitleRoom))
                          .expandedTo(minimumSize()));
        place.moveCenter(screen.center());
    }
    setGeometry(place);
    if (kept.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void FrmMaster::fitToColumns()
{
    const int growth = flexMaster->wholeColumnsWidth() - flexMaster->width();
    if (growth <= 0)
        return;
    int wide = width() + growth;
    if (const QScreen* shownOn = screen())
        wide = std::min(wide, shownOn->availableGeometry().width() - FrameRoom);
    resize(std::max(wide, width()), height());
}

void FrmMaster::done(int result)
{
    rememberLayout();
    SingleInstanceForm::done(result);
}

void FrmMaster::rememberLayout() const
{
    RememberedLayout kept;
    kept.geometry = isMaximized() ? normalGeometry() : geometry();
    kept.maximized = isMaximized();
    for (int c = 0; c < flexMaster->Cols(); ++c)
        kept.columnWidths << flexMaster->ColWidth(c);
    kept.sortColumn = m_sortHeading;
    kept.sortDescending = m_sortDescending;
    kept.write(BasLoan::strtype, BasLoan::intUserID);
}
