#pragma once

#include "ostrelplatform_export.h"
#include "runtime/RuntimeError.h"

#include <QSqlError>
#include <QString>

// The failures of the database objects as the module's handlers see them: a number and a
// description. Integrity violations carry one number whatever the engine; other engine failures
// carry the engine's own message.
namespace ado::EngineErrors {

// Numbers of the database objects beyond those the module tests for.
inline constexpr qint32 ObjectOpen = qint32(0x800A0E79);
inline constexpr qint32 NoCurrentRecord = qint32(0x800A0BCD);
inline constexpr qint32 NotUpdatable = qint32(0x800A0CB3);

RuntimeError closed();
RuntimeError alreadyOpen();
RuntimeError noCurrentRecord();
RuntimeError itemNotFound();
RuntimeError notUpdatable();
RuntimeError rowNotLocated();
RuntimeError injected(int statement);

// An embedded database file reached through an ODBC driver instead of opened directly.
RuntimeError madeForTheEmbeddedEngine();
// An SQLite result code (extended where known) with the connection's message for it; a write
// refused on a read-only database, or a change left half done that this user may not undo, says
// so plainly.
OSTRELPLATFORM_EXPORT RuntimeError fromSqlite(int resultCode, const QString& message);
// An error reported by a Qt driver (ODBC).
RuntimeError fromDriver(const QSqlError& error);
// Whether a native error code names an integrity violation: SQL Server's unique key (2627),
// unique index (2601) and other constraints (547), and the SQLite drivers' constraint code (19),
// also in its extended forms (2067 for a unique key, 275 for a check: 19 in the low byte) when the
// driver is an SQLite one.
OSTRELPLATFORM_EXPORT bool isIntegrityCode(const QString& nativeCode, bool sqliteDriver = false);

} // namespace ado::EngineErrors
