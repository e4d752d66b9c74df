#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <sqlite3.h>

// What the SQL functions this layer adds to the embedded engine share: texts in and out in
// UTF-8, Null arguments, failures, and their registration.
namespace ado {

inline QString textOf(sqlite3_value* value)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

inline void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// The statement fails with this message.
inline void resultError(sqlite3_context* context, const QByteArray& utf8)
{
    sqlite3_result_error(context, utf8.constData(), int(utf8.size()));
}

inline void resultError(sqlite3_context* context, const QString& message)
{
    resultError(context, message.toUtf8());
}

// Whether any argument is Null, which makes most of SQL Server's functions Null.
inline bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

struct ScalarFunction
{
    const char* name;
    int arguments; // -1: any number
    void (*call)(sqlite3_context*, int, sqlite3_value**);
    int flags;
};

// Flags of a function whose result depends on its arguments alone.
inline constexpr int PureFunction = SQLITE_UTF8 | SQLITE_DETERMINISTIC;

// Registers the functions on the connection; false when the engine refuses one.
inline bool installFunctions(sqlite3* db, std::initializer_list<ScalarFunction> functions)
{
    for (const ScalarFunction& f : functions) {
        if (sqlite3_create_function(db, f.name, f.arguments, f.flags, nullptr, f.call, nullptr,
                                    nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

} // namespace ado
