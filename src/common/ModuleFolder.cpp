#include "common/ModuleFolder.h"

#include <QFileInfo>
#include <dlfcn.h>

QString ModuleFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}
