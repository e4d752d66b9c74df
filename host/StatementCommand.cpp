#include "StatementCommand.h"

#include "HostDatabase.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

namespace StatementCommand {

namespace {

// A statement that yields rows; anything else is run for its count of changed rows.
bool isQuery(const QString& statement)
{
    static const QRegularExpression query(QStringLiteral("^[\\s(]*(select|with)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(statement).hasMatch();
}

void printRows(ado::Connection& connection, const QString& statement, QTextStream& out)
{
    ado::Recordset rs;
    rs.Open(statement, connection, ado::CursorType::ForwardOnly, ado::LockType::ReadOnly);
    QStringList line;
    for (int i = 0; i < rs.fieldCount(); ++i)
        line << rs.fieldName(i);
    out << line.join(QLatin1Char('\t')) << '\n';
    for (; !rs.isEOF(); rs.MoveNext()) {
        line.clear();
        for (int i = 0; i < rs.fieldCount(); ++i)
            line << fieldText(rs.value(i));
        out << line.join(QLatin1Char('\t')) << '\n';
    }
    rs.Close();
}

} // namespace

QString fieldText(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.time() == QTime(0, 0)
                   ? moment.date().toString(Qt::ISODate)
                   : moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return vb::NumberToText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    ado::ConnectionPtr connection;
    try {
        connection = HostDatabase::openExisting(options.database);
    } catch (const RuntimeError& error) {
        err << error.description() << '\n';
        return 1;
    }
    try {
        if (isQuery(options.statement))
            printRows(*connection, options.statement, out);
        else
            out << QStringLiteral("%1 row(s) affected\n")
                       .arg(connection->Execute(options.statement));
        return 0;
    } catch (const RuntimeError& error) {
        out.flush();
        err << QStringLiteral("The statement failed: %1\n").arg(error.description());
        return 1;
    }
}

} // namespace StatementCommand
