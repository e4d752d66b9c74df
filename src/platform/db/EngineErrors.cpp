#include "db/EngineErrors.h"

#include <QStringList>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace ado::EngineErrors {

namespace {

// SQLite's constraint failure, in its primary or any extended form (19 in the low byte).
bool isConstraint(int resultCode)
{
    return (resultCode & 0xff) == SQLITE_CONSTRAINT;
}

} // namespace

RuntimeError closed()
{
    return RuntimeError(RuntimeError::OperationNotAllowed,
                        u"Operation is not allowed when the object is closed."_s);
}

RuntimeError alreadyOpen()
{
    return RuntimeError(ObjectOpen, u"Operation is not allowed when the object is open."_s);
}

RuntimeError noCurrentRecord()
{
    return RuntimeError(NoCurrentRecord,
                        u"Either BOF or EOF is True, or the current record has been "
                        "deleted. Requested operation requires a current record."_s);
}

RuntimeError itemNotFound()
{
    return RuntimeError(RuntimeError::ItemNotFound,
                        u"Item cannot be found in the collection corresponding to the "
                        "requested name or ordinal."_s);
}

RuntimeError notUpdatable()
{
    return RuntimeError(NotUpdatable,
                        u"Current Recordset does not support updating. This may be "
                        "a limitation of the provider, or of the selected locktype."_s);
}

RuntimeError rowNotLocated()
{
    return RuntimeError(RuntimeError::RowNotLocated,
                        u"Row cannot be located for updating. Some values may have "
                        "been changed since it was last read."_s);
}

RuntimeError injected(int statement)
{
    return RuntimeError(RuntimeError::DatabaseFailure,
                        u"Injected failure at statement %1"_s.arg(statement));
}

RuntimeError madeForTheEmbeddedEngine()
{
    return RuntimeError(RuntimeError::DatabaseFailure,
                        u"This database file was made for the embedded database, "
                        "which an ODBC driver cannot read. Open the file directly "
                        "(--db FILE, without odbc:); ODBC is for the company's SQL "
                        "Server."_s);
}

RuntimeError fromSqlite(int resultCode, const QString& message)
{
    if (resultCode == SQLITE_READONLY_ROLLBACK)
        return RuntimeError(RuntimeError::DatabaseFailure,
                            u"The database was left in the middle of a change by a program that "
                            "stopped (its -journal file is still beside it), and this user may "
                            "not write it to undo that change. Ask its owner to open it once; "
                            "nothing was read or changed."_s);
    if ((resultCode & 0xff) == SQLITE_READONLY)
        return RuntimeError(RuntimeError::DatabaseFailure,
                            u"Nothing was changed: the database is read-only (its "
                            "file or folder may not be written, or it lies on a "
                            "read-only disk)."_s);
    return RuntimeError(isConstraint(resultCode) ? RuntimeError::IntegrityViolation
                                                 : RuntimeError::DatabaseFailure,
                        message);
}

bool isIntegrityCode(const QString& nativeCode, bool sqliteDriver)
{
    // Drivers may report several diagnostics at once, separated by ';'.
    const QStringList codes = nativeCode.split(u';', Qt::SkipEmptyParts);
    for (const QString& code : codes) {
        const QString trimmed = code.trimmed();
        if (sqliteDriver && isConstraint(trimmed.toInt()))
            return true;
        if (trimmed == u"2627" || trimmed == u"2601" || trimmed == u"547" || trimmed == u"19")
            return true;
    }
    return false;
}

RuntimeError fromDriver(const QSqlError& error)
{
    QString message = error.databaseText().trimmed();
    if (message.isEmpty())
        message = error.text().trimmed();
    // An ODBC driver for SQLite reading a file the embedded engine made, whose text columns
    // name the collation only the embedded engine registers.
    if (message.contains("collation sequence: SQLSERVER_CI"_L1, Qt::CaseInsensitive))
        return madeForTheEmbeddedEngine();
    return RuntimeError(isIntegrityCode(error.nativeErrorCode()) ? RuntimeError::IntegrityViolation
                                                                 : RuntimeError::DatabaseFailure,
                        message);
}

} // namespace ado::EngineErrors
