#include "grid/GridView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

void GridView::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit cellPressed(index, event->modifiers());
    event->accept();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit cellDoubleClicked(index);
    event->accept();
}

void GridView::updateGeometries()
{
    QTableView::updateGeometries();
    emit geometriesUpdated();
}

void GridView::setFocusRow(int row)
{
    m_focusRow = row;
}

void GridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (!hasFocus() || m_focusRow < 0 || m_focusRow >= model()->rowCount())
        return;
    const QRect row = QRect(-horizontalOffset(), rowViewportPosition(m_focusRow),
                            horizontalHeader()->length(), rowHeight(m_focusRow))
                          .intersected(viewport()->rect());
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2, Qt::DotLine));
    painter.drawRect(row.adjusted(1, 1, -1, -1));
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}
