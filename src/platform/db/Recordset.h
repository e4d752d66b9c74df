#pragma once

#include "ostrelplatform_export.h"

#include "db/Connection.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace ado {

enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };

// A record set over one statement. Its rows are read all at once and the engine's query is
// finished at once (an open SQLite read would block other clerks' saves). On SQLite the statement
// is checked when the set opens and its rows are read when first needed, so a set opened only
// to add rows (AddNew first) reads none and holds just the rows it adds. A record set opened
// with optimistic locking over a single-table statement can add rows and change fields: writes
// use bound values; an update finds its row by the table's key plus the original values of the
// columns it changes, and fails with RowNotLocated when no row matches.
class OSTRELPLATFORM_EXPORT Recordset
{
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    void Open(const QString& sql, Connection& connection,
              CursorType cursor = CursorType::ForwardOnly, LockType lock = LockType::ReadOnly);
    void Close();
    bool isOpen() const;

    bool isEOF() const;
    bool isBOF() const;
    void MoveNext();
    void MoveFirst();
    qint64 RecordCount() const;

    int fieldCount() const;
    QString fieldName(int index) const;
    // Field values of the current row, by position or by name (without regard to case).
    // Null is a null QVariant; dates come as QDate, whole numbers as qint64, amounts as double.
    QVariant value(int index) const;
    QVariant value(const QString& name) const;
    // Changes a field of the current row (or of the row being added). A text assigned to a date
    // column is read as a date (short date form, ISO or yyyymmdd); one that is no date fails.
    void setValue(const QString& name, const QVariant& value);
    void setValue(int index, const QVariant& value);

    void AddNew();
    // Writes the row being added, or the changed fields of the current row.
    void Update();
    // Writes every changed row.
    void UpdateBatch();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace ado
