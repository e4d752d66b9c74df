#include "HostDatabase.h"

#include "runtime/LocalPath.h"
#include "runtime/RuntimeError.h"

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

ado::ConnectionPtr openExisting(const QString& database)
{
    requireExisting(database);
    return open(database);
}

ado::ConnectionPtr openForCreation(const QString& database)
{
    refuseFolder(database);
    return open(database);
}

} // namespace HostDatabase
