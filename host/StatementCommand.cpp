#include "StatementCommand.h"

#include "HostDatabase.h"
#include "PayrollSchemaText.h"
#include "db/SqlBatch.h"
#include "db/Transaction.h"
#include "db/tsql/AdminStatements.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QDate>
#include <QDateTime>

using namespace Qt::StringLiterals;

namespace StatementCommand {

namespace {

// A statement that yields columns prints them and its rows, whatever comes before its first
// keyword; anything else prints how many rows it changed.
void print(const ado::StatementResult& result, QTextStream& out)
{
    if (result.names.isEmpty()) {
        out << u"%1 row(s) affected\n"_s.arg(result.rowsAffected);
        return;
    }
    out << result.names.join(QLatin1Char('\t')) << '\n';
    for (const QVariantList& row : result.rows) {
        QStringList line;
        for (const QVariant& value : row)
            line << fieldText(value);
        out << line.join(QLatin1Char('\t')) << '\n';
    }
}

} // namespace

QString fieldText(const QVariant& value)
{
    if (value.isNull())
        return u"NULL"_s;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.time() == QTime(0, 0) ? moment.date().toString(Qt::ISODate)
                                            : moment.toString(u"yyyy-MM-dd hh:mm:ss"_s);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return vb::NumberToText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? u"1"_s : u"0"_s;
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
    const QStringList statements = ado::splitBatch(options.statement);
    if (statements.isEmpty()) {
        err << u"--sql holds no statement, only blanks and comments.\n"_s;
        return 2;
    }
    // One transaction for the whole batch, as SQL Server runs a batch under XACT_ABORT: all
    // statements take effect or none. Results are printed only once the batch has committed, so
    // nothing reports a change that was then undone.
    QString printed;
    QTextStream results(&printed);
    qsizetype current = 0;
    try {
        // On the embedded database each statement keeps SQL Server's meaning or is refused.
        ado::AdminStatements admin(*connection, QString::fromUtf8(payroll::sqlServerSchemaText));
        ado::Transaction transaction(*connection);
        for (; current < statements.size(); ++current) {
            if (current > 0)
                results << '\n';
            print(admin.run(statements[current]), results);
        }
        transaction.commit();
    } catch (const RuntimeError& error) {
        if (statements.size() == 1)
            err << u"The statement failed: %1\n"_s.arg(error.description());
        else if (current < statements.size())
            err << u"Statement %1 of %2 failed: %3\nThe batch was rolled back: "
                   "none of its statements changed anything.\n"_s.arg(current + 1)
                       .arg(statements.size())
                       .arg(error.description());
        else
            err << u"The batch could not be committed: %1\nNone of its statements "
                   "changed anything.\n"_s.arg(error.description());
        return 1;
    }
    results.flush();
    out << printed;
    return 0;
}

} // namespace StatementCommand
