#pragma once

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

// Texts in and out of the SQL functions this layer adds to the embedded engine, in UTF-8.
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

} // namespace ado
