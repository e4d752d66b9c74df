#include "common/ModuleFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

QString ModuleFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 || !info.dli_fname)
        return QCoreApplication::applicationDirPath();
    const QFileInfo loadedFrom(QString::fromLocal8Bit(info.dli_fname));
    // The program itself is named as it was started, which may be relative to a folder the
    // host has since left; its real location is the application's.
    if (loadedFrom.isRelative())
        return QCoreApplication::applicationDirPath();
    return loadedFrom.absolutePath();
}
