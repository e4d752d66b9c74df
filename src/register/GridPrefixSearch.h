#pragma once

#include <QString>

#include <string>

class FlexGrid;

// The register's search: a binary search over data rows sorted ascending on one column, by the
// column's meaning, for the first row that matches what was typed. How the typed text is read
// follows the column: issue numbers letter for letter and then number for number (ADV1 finds
// ADV1, not ADV10); dates and amounts by value (8000, 8,000 and 8000.00 find 8,000.00); other
// texts by their start, in any letter case, blanks typed at the end counted. Rows are 32-bit and
// the midpoint is taken without forming low + high.
class GridPrefixSearch
{
public:
    enum class Reading { Text, IssueNumber, Date, Amount };

    GridPrefixSearch(const FlexGrid& grid, int col);

    Reading reading() const { return m_reading; }
    // The first matching row, 0 when none matches.
    int firstRowStartingWith(const QString& typed) const;
    // The amount or date sought, as the grid shows them; empty when the text reads as neither.
    QString soughtValue(const QString& typed) const;

private:
    // What a cell is compared with.
    struct Sought
    {
        std::string key;       // a text's upper case, an issue number's key
        double value = 0;      // an amount's or a date's
        qsizetype typedLength; // of a text, blanks included
        bool readable = false;
    };
    Sought sought(const QString& typed) const;
    // Of the cell in the given row against what was typed: <0 before, 0 a match, >0 after.
    int order(int row, const Sought& sought) const;

    const FlexGrid& m_grid;
    int m_col;
    Reading m_reading = Reading::Text;
};
