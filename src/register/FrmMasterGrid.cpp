// Filling the register's grid from the list statement, and its headings and widths.
#include "register/FrmMaster.h"

#include "common/BasLoan.h"
#include "db/Recordset.h"
#include "grid/FlexGrid.h"
#include "register/RegisterList.h"
#include "register/RegisterListReader.h"
#include "register/RegisterLoadProgress.h"
#include "register/RegisterRowWriter.h"
#include "runtime/Conversions.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int TwipsPerCharacter = 130;
constexpr int BalanceWidth = 1500;
constexpr int ScrollBarRoom = 315; // kept free at the right for the vertical scroll bar

} // namespace

void FrmMaster::GridPopulate(const QString& strsql)
{
    flexMaster->Clear();
    flexMaster->setFixedRows(1);
    flexMaster->setFixedCols(0);
    flexMaster->setColWidth(0, 0);
    flexMaster->setCols(1);
    flexMaster->setRows(2);

    RegisterRowWriter writer(*flexMaster);
    if (m_loadProgress)
        writer.reportRowsTo([this](qsizetype rows) { m_loadProgress->issuesRead(rows); });
    ado::Connection& connection = BasLoan::adocon();
    if (connection.isSqlite())
        register_list::readWithSqlite(connection, strsql, writer);
    else
        register_list::readWithRecordset(connection, strsql, writer);
    QVector<double> lengths = writer.finish();

    const QString headingSet =
        BasLoan::strtype == u"L" ? BasLoan::strTblLoansIssue : u"Padvancemaster"_s;
    FillColumnHeadings(headingSet, lengths);

    flexMaster->setColWidth(0, 0);
    // Every cell of a row sits on the same line, centred in its height; amounts to the right.
    flexMaster->setFixedAlignment(6, 7); // right-centre
    flexMaster->setFixedAlignment(5, 7);
    flexMaster->setColAlignment(6, 7);
    flexMaster->setColAlignment(5, 7);
    flexMaster->setColSortMeaning(RegisterList::IssueNumberColumn, SortMeaning::PrefixNumber);
    flexMaster->setColSortMeaning(RegisterList::DateColumn, SortMeaning::Date);
}

void FrmMaster::FillColumnHeadings(const QString& headingSet, QVector<double>& lengths)
{
    {
        // Filling the lists selects nothing and sorts nothing: no entry is chosen until the
        // user chooses one.
        const QSignalBlocker quietSort(cboColNames);
        const QSignalBlocker quietSearch(cboSearch);
        cboColNames->clear();
        cboSearch->clear();

        ado::Recordset rs;
        rs.Open(u"select tc.columnheader,tc.columnname from %1 t,%2 tc where t.tableid = "
                u"tc.tableid and tablename ='%3' order by tc.ColumnID"_s.arg(
                    BasLoan::strTblTables, BasLoan::strTblTableColumns, headingSet),
                BasLoan::adocon());
        int headingRows = 0;
        if (!rs.isEOF()) {
            ++headingRows; // the hidden id column's heading is never shown
            rs.MoveNext();
        }
        for (int i = 1; !rs.isEOF(); ++i, rs.MoveNext()) {
            ++headingRows;
            if (i >= flexMaster->Cols())
                continue; // a heading set longer than the list: those headings have no column
            const QString h = vb::TextOf(rs.value(u"columnheader"_s));
            flexMaster->setTextMatrix(0, i, h);
            cboColNames->addItem(h, i);
            cboSearch->addItem(h, i);
            if (h.size() > lengths[i])
                lengths[i] = double(h.size());
        }
        cboColNames->setCurrentIndex(-1);
        cboSearch->setCurrentIndex(-1);

        const int sizedColumns = std::min(headingRows, flexMaster->Cols());
        for (int c = 0; c < sizedColumns; ++c) {
            if (lengths[c] * TwipsPerCharacter > flexMaster->ColWidth(c))
                flexMaster->setColWidth(
                    c, RegisterRowWriter::isBalanceColumn(c)
                           ? BalanceWidth
                           : int(vb::RoundHalfEven(lengths[c] * TwipsPerCharacter)));
        }
        shareSpareWidth();
        rs.Close();
    }

    MarkCancelledRows();

    flexMaster->setRow(flexMaster->Rows() - 1);
    flexMaster->setTopRow(flexMaster->Row());
    flexMaster->setCol(0);
    flexMaster->setColSel(flexMaster->Cols() - 1);
}

void FrmMaster::shareSpareWidth()
{
    const int cols = flexMaster->Cols();
    int total = 0;
    for (int c = 1; c < cols; ++c)
        total += flexMaster->ColWidth(c);
    if (cols < 2 || flexMaster->Width() - ScrollBarRoom <= total)
        return;
    const double spare = vb::RoundHalfEven(flexMaster->Width() - total - ScrollBarRoom);
    const int each = int(vb::RoundHalfEven(spare / (cols - 1)));
    for (int c = 1; c < cols; ++c)
        flexMaster->setColWidth(c, RegisterRowWriter::isBalanceColumn(c)
                                       ? BalanceWidth
                                       : flexMaster->ColWidth(c) + each);
}
