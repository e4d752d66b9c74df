#include "grid/GridView.h"

#include <QMouseEvent>

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
