#include "db/SqliteFileTarget.h"

#include "runtime/LocalPath.h"

#include <QStringList>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

QString uriOf(const QString& path)
{
    return "file:"_L1 + QString::fromLatin1(LocalPath::toBytes(path).toPercentEncoding("/"));
}

bool isOnReadOnlyDisk(const QString& path)
{
    struct statvfs disk;
    return ::statvfs(LocalPath::toBytes(path).constData(), &disk) == 0 &&
           (disk.f_flag & ST_RDONLY) != 0;
}

// The header's read and write versions say 2 for the write-ahead mode.
bool isWriteAhead(const QString& path)
{
    const int fd = ::open(LocalPath::toBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char versions[2] = {0, 0};
    const bool read = ::pread(fd, versions, 2, 18) == 2;
    ::close(fd);
    return read && (versions[0] == 2 || versions[1] == 2);
}

bool isReadable(const QString& path)
{
    return ::access(LocalPath::toBytes(path).constData(), R_OK) == 0;
}

bool isEmptyOrMissing(const QString& path)
{
    struct stat status;
    return ::stat(LocalPath::toBytes(path).constData(), &status) != 0 || status.st_size == 0;
}

QString ownerOf(const QString& path)
{
    struct stat status;
    if (::stat(LocalPath::toBytes(path).constData(), &status) != 0)
        return u"another user"_s;
    const passwd* user = ::getpwuid(status.st_uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : u"user %1"_s.arg(status.st_uid);
}

// A -wal or -shm this user cannot write, which would make every save fail.
QString foreignJournalRefusal(const QString& path)
{
    for (const QString& file : {path + "-wal"_L1, path + "-shm"_L1}) {
        if (LocalPath::exists(file) && !LocalPath::isWritable(file)) {
            return u"%1 belongs to %2 and you may not write it, so no change to the database "
                   "could be saved. Ask %2 or an administrator to remove it while no one has the "
                   "database open."_s.arg(file, ownerOf(file));
        }
    }
    return QString();
}

SqliteFileTarget reading(const QString& path)
{
    const QString uri = uriOf(path) + "?mode=ro"_L1;
    const QString wal = path + "-wal"_L1;
    const QString shm = path + "-shm"_L1;
    // A read-only disk changes under no one; only a change still waiting beside the file (in its
    // -wal or a rollback journal) must be read through the engine's locks.
    if (isOnReadOnlyDisk(path) && isEmptyOrMissing(wal) && isEmptyOrMissing(path + "-journal"_L1))
        return {.databaseName = uri + "&immutable=1"_L1, .isUri = true, .readOnly = true};
    // Only a user who may write the file and its folder makes -wal and -shm of the owner's.
    const bool makesOwnersFiles =
        LocalPath::isWritable(path) && LocalPath::isWritable(LocalPath::folderOf(path));
    if (!isWriteAhead(path) || makesOwnersFiles)
        return {.databaseName = uri, .isUri = true, .readOnly = true};
    QStringList lacking;
    for (const QString& file : {wal, shm}) {
        if (!isReadable(file))
            lacking << file + (LocalPath::exists(file) ? u" may not be read by you"_s
                                                       : u" is missing"_s);
    }
    if (lacking.isEmpty())
        return {.databaseName = uri, .isUri = true, .readOnly = true};
    return {.databaseName = uri,
            .isUri = true,
            .readOnly = true,
            .refusal =
                u"%1 cannot be read by you without leaving files of yours beside it, as it is read "
                "through the -wal and -shm files its owner keeps there: %2. Ask the owner to open "
                "the database once."_s.arg(path, lacking.join(u", "_s))};
}

} // namespace

SqliteFileTarget SqliteFileTarget::forPath(const QString& path)
{
    if (path == u":memory:")
        return {.databaseName = path};
    if (path.startsWith("file:"_L1, Qt::CaseInsensitive))
        return {.databaseName = path, .isUri = true};
    if (!LocalPath::exists(path) || LocalPath::isWritable(path)) {
        const QString refusal = foreignJournalRefusal(path);
        // Saving also needs the -wal and -shm: made anew in the folder, or already there.
        const bool journalMade =
            LocalPath::isWritable(LocalPath::folderOf(path)) ||
            (LocalPath::exists(path + "-wal"_L1) && LocalPath::exists(path + "-shm"_L1));
        if (!refusal.isEmpty())
            return {.databaseName = path, .refusal = refusal};
        if (journalMade && !LocalPath::hasForeignBytes(path))
            return {.databaseName = path};
        if (journalMade)
            return {.databaseName = uriOf(path), .isUri = true};
    }
    return reading(path);
}

SqliteFileTarget SqliteFileTarget::forReading(const QString& path)
{
    return reading(path);
}

} // namespace ado
