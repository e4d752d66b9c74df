#pragma once

#include <QStyledItemDelegate>

// Paints the grid's cells: the selected rows highlighted across every column whether or not
// the grid has the focus, fixed columns in the heading's colours, no focus frame.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // In the view's row numbers; an empty range when first > last.
    void setHighlightedRows(int first, int last);
    void setFixedCols(int fixedCols) { m_fixedCols = fixedCols; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int m_firstHighlighted = 0;
    int m_lastHighlighted = -1;
    int m_fixedCols = 0;
};
