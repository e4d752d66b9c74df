#pragma once

#include "grid/SortMeaning.h"

#include <QtGlobal>

#include <atomic>
#include <optional>
#include <vector>

class GridCells;

// The grid's sort on one column under the column's meaning (see SortMeaning): numbers before
// texts, texts by their upper case, character code by character code.

// The current numbers of rows first.. in their sorted order; rows that tie keep their order.
std::vector<quint32> sortedRowOrder(const GridCells& cells, int first, int col, SortMeaning meaning,
                                    bool descending);

// The stored rows given, ascending on col; rows that tie in the order given. Reads only the
// stored cells, so it may run on another thread while nothing changes them; gives nothing when
// `stop` is set meanwhile.
std::optional<std::vector<quint32>> storedRowsAscending(const GridCells& cells,
                                                        const std::vector<quint32>& storedRows,
                                                        int col, SortMeaning meaning,
                                                        const std::atomic<bool>& stop);
