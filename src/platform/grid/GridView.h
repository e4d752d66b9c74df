#pragma once

#include <QTableView>

// The table view inside the grid. The grid keeps its own current cell and selection, so the
// view only reports keys, presses and double-clicks on cells, and when its scroll ranges are
// known; it does not jump to typed text. While it has the keyboard focus it frames the current
// row, so the user sees where the keys act.
class GridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    void keyboardSearch(const QString&) override {}
    // In the view's row numbers; -1 frames none.
    void setFocusRow(int row);

signals:
    void keyPressed(QKeyEvent* event);
    void cellPressed(const QModelIndex& index, Qt::KeyboardModifiers modifiers);
    void cellDoubleClicked(const QModelIndex& index);
    void geometriesUpdated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_focusRow = -1;
};
