#pragma once

#include <QString>

class RegisterRowWriter;

namespace ado {
class Connection;
}

// Reads the rows of the register's list statement, field by field in column order, into the
// row writer. Both readers give the writer the same fields for the same rows, so they fill the
// same grid; failures raise RuntimeError as the database objects do.
namespace register_list {

// Steps the engine's own statement on an SQLite connection: no record set, no QVariant per
// field. Dates come back in the short date form, as a record set gives them.
void readWithSqlite(ado::Connection& connection, const QString& sql, RegisterRowWriter& writer);

// Reads through a forward-only, read-only record set: any engine.
void readWithRecordset(ado::Connection& connection, const QString& sql, RegisterRowWriter& writer);

} // namespace register_list
