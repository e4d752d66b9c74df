#include "platform/db/SqliteFileTarget.h"

#include "platform/runtime/LocalPath.h"

namespace ado {

namespace {

const QLatin1StringView uriOption("QSQLITE_OPEN_URI");

QString percentEncoded(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toPercentEncoding("/"));
}

} // namespace

SqliteFileTarget SqliteFileTarget::forPath(const QString& path)
{
    if (path == u":memory:")
        return {path, QString()};
    if (path.startsWith(QLatin1StringView("file:"), Qt::CaseInsensitive))
        return {path, uriOption};
    // Writing also needs the journal files beside the database: made anew in its folder, or
    // already there and writable.
    const bool folderWritable = LocalPath::isWritable(LocalPath::folderOf(path));
    const QString wal = path + QLatin1StringView("-wal");
    const QString shm = path + QLatin1StringView("-shm");
    const bool journalWritable =
        folderWritable || (LocalPath::isWritable(wal) && LocalPath::isWritable(shm));
    const bool readOnly =
        LocalPath::exists(path) && (!LocalPath::isWritable(path) || !journalWritable);
    if (!readOnly && !LocalPath::hasForeignBytes(path))
        return {path, QString()};
    QString uri = QLatin1StringView("file:") + percentEncoded(LocalPath::toBytes(path));
    if (!readOnly)
        return {uri, uriOption};
    uri += QLatin1StringView("?mode=ro");
    if (!folderWritable && !LocalPath::exists(shm))
        uri += QLatin1StringView("&immutable=1");
    return {uri, uriOption + QLatin1StringView(";QSQLITE_OPEN_READONLY")};
}

} // namespace ado
