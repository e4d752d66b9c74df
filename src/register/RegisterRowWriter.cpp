#include "register/RegisterRowWriter.h"

#include "grid/FlexGrid.h"
#include "register/MoneyText.h"
#include "runtime/Conversions.h"

#include <QString>

#include <charconv>

namespace {

constexpr qsizetype RowsBetweenReports = 1024;

// The length of a UTF-8 text in UTF-16 units, as QString counts characters.
qsizetype textLength(std::string_view utf8)
{
    qsizetype length = 0;
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte & 0xC0) != 0x80)
            ++length;
        if (byte >= 0xF0)
            ++length; // outside the basic plane: a surrogate pair
    }
    return length;
}

std::string_view trimmedOfBlanks(std::string_view utf8)
{
    const std::size_t first = utf8.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return utf8.substr(first, utf8.find_last_not_of(' ') - first + 1);
}

} // namespace

RegisterRowWriter::RegisterRowWriter(FlexGrid& grid) : m_grid(grid) {}

void RegisterRowWriter::begin(int cols, qsizetype expectedRows)
{
    m_cols = cols;
    m_expectedRows = expectedRows;
    m_rows = 0;
    m_cellEnds.assign(std::size_t(cols), 0);
    m_cells.assign(std::size_t(cols), std::string_view());
    m_lengths = QVector<double>(cols + 1, 0.0);
    m_rowBytes.clear();
}

void RegisterRowWriter::reportRowsTo(std::function<void(qsizetype)> rowsWritten)
{
    m_rowsWritten = std::move(rowsWritten);
}

void RegisterRowWriter::noteLength(int col, double length)
{
    if (length > m_lengths[col])
        m_lengths[col] = length;
}

void RegisterRowWriter::putCell(int col, std::string_view utf8)
{
    m_rowBytes.append(utf8);
    m_cellEnds[col] = m_rowBytes.size();
}

void RegisterRowWriter::putNull(int col)
{
    putCell(col, {});
}

void RegisterRowWriter::putInteger(int col, qint64 value)
{
    char digits[24];
    const std::string_view text(
        digits, std::size_t(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
    noteLength(col, double(text.size()));
    if (isBalanceColumn(col)) {
        money_text::appendMoney(m_rowBytes, double(value));
        m_cellEnds[col] = m_rowBytes.size();
    } else {
        putCell(col, text);
    }
}

void RegisterRowWriter::putNumber(int col, double value)
{
    if (isBalanceColumn(col)) {
        noteLength(col, money_text::appendMoney(m_rowBytes, value));
        m_cellEnds[col] = m_rowBytes.size();
        return;
    }
    const QByteArray text = vb::NumberToText(value).toUtf8();
    noteLength(col, double(text.size()));
    putCell(col, std::string_view(text.constData(), std::size_t(text.size())));
}

void RegisterRowWriter::putText(int col, std::string_view utf8)
{
    // A text has no more UTF-16 units than bytes: only one longer in bytes than the longest so
    // far can be longer in characters.
    if (double(utf8.size()) > m_lengths[col])
        noteLength(col, double(textLength(utf8)));
    if (!isBalanceColumn(col)) {
        putCell(col, trimmedOfBlanks(utf8));
        return;
    }
    // A balance held as text is formatted by its value when it reads as a number, and shown
    // as it is otherwise.
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (vb::IsNumeric(text)) {
        money_text::appendMoney(m_rowBytes, vb::NumericValue(text));
        m_cellEnds[col] = m_rowBytes.size();
    } else {
        putCell(col, utf8);
    }
}

void RegisterRowWriter::endRow()
{
    if (m_rows == 0)
        m_grid.beginFill(m_cols, m_expectedRows);
    std::size_t start = 0;
    for (int c = 0; c < m_cols; ++c) {
        m_cells[c] = std::string_view(m_rowBytes).substr(start, m_cellEnds[c] - start);
        start = m_cellEnds[c];
    }
    m_grid.appendRowUtf8(m_cells.data());
    m_rowBytes.clear();
    ++m_rows;
    if (m_rows % RowsBetweenReports == 0 && m_rowsWritten)
        m_rowsWritten(m_rows);
}

QVector<double> RegisterRowWriter::finish()
{
    if (m_rows == 0) {
        m_grid.setCols(m_cols);
    } else {
        m_grid.endFill();
        for (int c = 0; c < m_cols; ++c)
            m_grid.setColAlignment(c, 1); // left-centre: a row reads on one line
    }
    return m_lengths;
}
