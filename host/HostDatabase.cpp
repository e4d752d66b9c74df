#include "HostDatabase.h"

#include "platform/runtime/RuntimeError.h"

#include <QFileInfo>

namespace HostDatabase {

namespace {

ado::ConnectionPtr open(const QString& database)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(database);
    return connection;
}

} // namespace

bool namesFile(const QString& database)
{
    return database != QLatin1String(":memory:") &&
           !database.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive);
}

void requireExisting(const QString& database)
{
    if (namesFile(database) && !QFileInfo(database).isFile())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           QStringLiteral("The database file %1 does not exist. Create it with "
                                          "--init-db or --demo.")
                               .arg(database));
}

ado::ConnectionPtr openExisting(const QString& database)
{
    requireExisting(database);
    return open(database);
}

ado::ConnectionPtr openForCreation(const QString& database)
{
    if (namesFile(database) && QFileInfo(database).isDir())
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           QStringLiteral("%1 is a folder, not a database file.").arg(database));
    return open(database);
}

} // namespace HostDatabase
