#pragma once

#include <QVariant>
#include <memory>
#include <sqlite3.h>

// What every road to the embedded engine inside this folder shares, so that a statement is
// finalized, a value bound, a column read and a failure reported the same way on each.
namespace ado::sqlite {

struct Finalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, Finalizer>;

// Raises the connection's failure for a result code as RuntimeError. The engine's connections
// all give extended result codes (SqliteEngine turns them on), so a read-only file and one left
// in the middle of a change are told apart.
[[noreturn]] void raise(sqlite3* db, int resultCode);

// Prepares the first statement of utf8 (nullptr for one of blanks or comments only); tail, when
// given, gets where the next statement starts.
StatementHandle prepare(sqlite3* db, const QByteArray& utf8, const char** tail = nullptr);

// Whether a declared column type is DATE, as the database objects decide it.
bool isDateDeclaration(const char* declared);

// Binds a value to a parameter (1-based): whole numbers as integers, amounts as reals, dates
// as ISO text, null as NULL; returns the engine's result code.
int bindValue(sqlite3_stmt* statement, int parameter, const QVariant& value);

// A column of the current row: whole numbers as qint64, reals as double, blobs as QByteArray,
// Null as a null QVariant, texts as QString (as QDate in a date column that holds a date).
QVariant columnValue(sqlite3_stmt* statement, int column, bool dateColumn);
// Every column of the current row, each as columnValue reads it; dateColumns has one flag a
// column.
QVariantList rowValues(sqlite3_stmt* statement, const QList<bool>& dateColumns);

} // namespace ado::sqlite
