#pragma once

#include <QtGlobal>

#include <vector>

class GridCells;

// The grid's generic sort on one column: cells that pass the number test compare as numbers,
// the others as their upper-case text by character code, numbers before texts. Equal cells
// keep their order. Gives the current numbers of rows first.. in their sorted order.
std::vector<quint32> sortedRowOrder(const GridCells& cells, int first, int col, bool descending);
