#include "db/SqliteFileTarget.h"

#include "runtime/LocalPath.h"

using namespace Qt::StringLiterals;

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
    if (path.startsWith("file:"_L1, Qt::CaseInsensitive))
        return {path, uriOption};
    // Writing also needs the journal files beside the database: made anew in its folder, or
    // already there and writable.
    const bool folderWritable = LocalPath::isWritable(LocalPath::folderOf(path));
    const QString wal = path + "-wal"_L1;
    const QString shm = path + "-shm"_L1;
    const bool journalWritable =
        folderWritable || (LocalPath::isWritable(wal) && LocalPath::isWritable(shm));
    const bool readOnly =
        LocalPath::exists(path) && (!LocalPath::isWritable(path) || !journalWritable);
    if (!readOnly && !LocalPath::hasForeignBytes(path))
        return {path, QString()};
    QString uri = "file:"_L1 + percentEncoded(LocalPath::toBytes(path));
    if (!readOnly)
        return {uri, uriOption};
    uri += "?mode=ro"_L1;
    if (!folderWritable && !LocalPath::exists(shm))
        uri += "&immutable=1"_L1;
    return {uri, uriOption + ";QSQLITE_OPEN_READONLY"_L1};
}

} // namespace ado
