#include "grid/GridDelegate.h"

void GridDelegate::setHighlightedRows(int first, int last)
{
    m_firstHighlighted = first;
    m_lastHighlighted = last;
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
    if (index.column() < m_fixedCols) {
        option->state &= ~QStyle::State_Selected;
        option->backgroundBrush = option->palette.button();
        return;
    }
    const bool highlighted = index.row() >= m_firstHighlighted && index.row() <= m_lastHighlighted;
    option->state.setFlag(QStyle::State_Selected, highlighted);
    if (highlighted)
        option->state |= QStyle::State_Active; // highlighted even while another control has focus
}
