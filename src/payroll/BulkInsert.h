#pragma once

#include "db/Connection.h"

#include <QByteArray>

struct sqlite3_stmt;

namespace payroll {

// An insert prepared once on the embedded engine and run for many rows straight through its C
// interface: generating a million issues costs seconds, not minutes. Values are bound in
// column order, then run() stores the row. Failures raise RuntimeError.
class BulkInsert
{
public:
    BulkInsert(ado::Connection& connection, const QString& sql);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    BulkInsert& bind(qint64 value);
    BulkInsert& bind(int value) { return bind(qint64(value)); }
    BulkInsert& bind(double value);
    BulkInsert& bind(const QByteArray& utf8);
    BulkInsert& bindNull();
    void run();

private:
    BulkInsert& checked(int bindResult);
    [[noreturn]] void fail(int resultCode);

    ado::Connection& m_connection;
    sqlite3_stmt* m_statement = nullptr;
    int m_position = 0;
};

} // namespace payroll
