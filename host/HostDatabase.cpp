#include "HostDatabase.h"

#include "SqliteFile.h"

#include "runtime/LocalPath.h"
#include "runtime/RuntimeError.h"

#include <fcntl.h>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace HostDatabase {

namespace {

ado::ConnectionPtr open(const QString& database)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(database);
    return connection;
}

void refuseFolder(const QString& database)
{
    if (namesFile(database) && LocalPath::isFolder(database))
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"%1 is a folder, not a database file."_s.arg(database));
}

// The first bytes of the file; nothing when it cannot be read, which the engine then reports.
std::optional<QByteArray> headerOf(const QString& database)
{
    const int fd = ::open(LocalPath::toBytes(database).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray header(100, '\0');
    const ssize_t read = ::read(fd, header.data(), header.size());
    ::close(fd);
    header.truncate(read > 0 ? read : 0);
    return header;
}

bool isWriteAhead(const QByteArray& header)
{
    constexpr char WriteAheadLog = 2;
    return header.size() > 18 && header[18] == WriteAheadLog;
}

// Opening a file sets the write-ahead journal up, which writes: an empty file would become a
// database and another program's would change. Such files are refused before the engine opens
// them.
void refuseBeforeOpening(const QString& database, bool creating)
{
    if (!namesFile(database) || !LocalPath::exists(database))
        return;
    const std::optional<QByteArray> read = headerOf(database);
    if (!read)
        return;
    const QByteArray& header = *read;
    QString reason;
    if (header.isEmpty())
        reason =
            creating ? QString() : u"the file is empty (create one with --init-db or --demo)"_s;
    else if (!header.startsWith("SQLite format 3"))
        reason = u"it is not a database file"_s;
    else {
        const SqliteFile existing(database);
        const bool hasTables = !existing.query(u"SELECT 1 FROM sqlite_master"_s).rows.isEmpty();
        // Any other failure to read it here is the engine's to report when it opens the file.
        if (!existing.error().isEmpty())
            reason = existing.notADatabase() ? existing.error() : QString();
        else if (creating)
            reason = hasTables ? u"it already has tables"_s : QString();
        else
            reason = existing.notPayrollReason();
    }
    if (!reason.isEmpty())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           (creating ? u"%1 cannot be made a new payroll database: %2. "_s
                                     : u"%1 is not a payroll database: %2. "_s)
                                   .arg(database, reason) +
                               u"Nothing was changed."_s);
}

} // namespace

bool namesFile(const QString& database)
{
    return database != QLatin1String(":memory:") &&
           !database.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive);
}

void requireExisting(const QString& database)
{
    refuseFolder(database);
    if (namesFile(database) && !LocalPath::exists(database))
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"The database file %1 does not exist. Create it with "
                           "--init-db or --demo."_s.arg(database));
}

ado::ConnectionPtr openExisting(const QString& database, Access access)
{
    requireExisting(database);
    refuseBeforeOpening(database, false);
    // A file kept in the rollback-journal mode (a backup) would be switched to write-ahead by a
    // normal open: one that only reads opens it read-only.
    if (access == Access::Read && namesFile(database) &&
        !isWriteAhead(headerOf(database).value_or(QByteArray()))) {
        return open(u"file:"_s +
                    QString::fromLatin1(LocalPath::toBytes(database).toPercentEncoding("/")) +
                    u"?mode=ro"_s);
    }
    return open(database);
}

ado::ConnectionPtr openForCreation(const QString& database)
{
    refuseFolder(database);
    refuseBeforeOpening(database, true);
    return open(database);
}

} // namespace HostDatabase
