#pragma once

#include "ostrelplatform_export.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <initializer_list>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

class Connection;

// A statement in the embedded engine's own dialect, prepared once and run as often as needed
// with bound values: the payroll database's schema, its seeders and the large-register
// generator speak the engine's dialect directly (the module's statements go through the
// connection's SQL Server adaptation instead). Values bind to the parameters in order, either
// one at a time (typed, for millions of rows) and then run(), or all at once as the arguments
// of run(), scalar() or rows(). Failures raise RuntimeError, also on a connection that is not
// open on the embedded engine.
class OSTRELPLATFORM_EXPORT PreparedStatement
{
public:
    PreparedStatement(Connection& connection, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    PreparedStatement& bind(qint64 value);
    PreparedStatement& bind(int value) { return bind(qint64(value)); }
    PreparedStatement& bind(double value);
    // A text, as UTF-8.
    PreparedStatement& bind(const QByteArray& utf8);
    PreparedStatement& bindNull();

    // Binds the values given (whole numbers as integers, amounts as reals, dates as ISO text,
    // byte arrays as blobs, null as NULL) after those bound before, and runs the statement.
    void run(std::initializer_list<QVariant> values = {});
    // Runs it and returns the first field of the first row (null when there is no row).
    QVariant scalar(std::initializer_list<QVariant> values = {});
    // Runs it and returns every row it yields.
    QList<QVariantList> rows(std::initializer_list<QVariant> values = {});

private:
    PreparedStatement& checked(int bindResult);
    // Binds the values, steps through the rows (collecting them, up to rowsWanted when it is not
    // -1, when collect is given) and makes the statement ready for the next run.
    void execute(std::initializer_list<QVariant> values, QList<QVariantList>* collect,
                 qsizetype rowsWanted = -1);
    [[noreturn]] void fail(int resultCode);

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    int m_position = 0;
};

} // namespace ado
