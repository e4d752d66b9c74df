#pragma once

#include <QString>

class FlexGrid;

// The register's search: a binary search over data rows sorted ascending on one column for the
// first row whose value begins with the typed text. Whether the column holds numbers is decided
// once, from the middle row. Numbers compare by the value of as many leading characters as were
// typed (blanks counted); texts compare in upper case by character code. Rows are 32-bit and
// the midpoint is taken without forming low + high.
class GridPrefixSearch
{
public:
    GridPrefixSearch(const FlexGrid& grid, int col);

    // The first matching row, 0 when none matches.
    int firstRowStartingWith(const QString& typed) const;

private:
    const FlexGrid& m_grid;
    int m_col;
};
