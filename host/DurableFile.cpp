#include "DurableFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace DurableFile {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString syncOpened(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return systemError();
    const bool synced = ::fsync(fd) == 0;
    const QString error = synced ? QString() : systemError();
    ::close(fd);
    return error;
}

} // namespace

QString sync(const QString& path)
{
    return syncOpened(path, O_RDONLY);
}

QString replace(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemError();
    return QString();
}

QString syncFolderOf(const QString& path)
{
    return syncOpened(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
}

} // namespace DurableFile
