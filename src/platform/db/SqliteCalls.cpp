#include "db/SqliteCalls.h"

#include "db/EngineErrors.h"
#include "db/VariantKinds.h"

#include <QDate>
#include <QDateTime>

using namespace Qt::StringLiterals;

namespace ado::sqlite {

void raise(sqlite3* db, int resultCode)
{
    throw EngineErrors::fromSqlite(resultCode, QString::fromUtf8(sqlite3_errmsg(db)));
}

StatementHandle prepare(sqlite3* db, const QByteArray& utf8, const char** tail)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &raw, tail);
    if (rc != SQLITE_OK)
        raise(db, rc);
    return StatementHandle(raw);
}

bool isDateDeclaration(const char* declared)
{
    return declared && QByteArray(declared).trimmed().compare("date", Qt::CaseInsensitive) == 0;
}

int bindValue(sqlite3_stmt* statement, int parameter, const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, parameter, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT);
    }
    if (value.isNull())
        return sqlite3_bind_null(statement, parameter);
    if (isWholeNumber(value))
        return sqlite3_bind_int64(statement, parameter, value.toLongLong());
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, parameter, value.toDouble());
    default: {
        const QByteArray text = value.metaType().id() == QMetaType::QDate
                                    ? value.toDate().toString(Qt::ISODate).toUtf8()
                                : value.metaType().id() == QMetaType::QDateTime
                                    ? value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s).toUtf8()
                                    : value.toString().toUtf8();
        return sqlite3_bind_text(statement, parameter, text.constData(), int(text.size()),
                                 SQLITE_TRANSIENT);
    }
    }
}

QVariant columnValue(sqlite3_stmt* statement, int column, bool dateColumn)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                              sqlite3_column_bytes(statement, column));
        if (dateColumn) {
            const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
            if (date.isValid())
                return date;
        }
        return text;
    }
    }
}

QVariantList rowValues(sqlite3_stmt* statement, const QList<bool>& dateColumns)
{
    QVariantList row;
    row.reserve(dateColumns.size());
    for (int c = 0; c < dateColumns.size(); ++c)
        row.append(columnValue(statement, c, dateColumns[c]));
    return row;
}

} // namespace ado::sqlite
