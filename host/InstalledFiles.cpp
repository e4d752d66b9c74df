#include "InstalledFiles.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString hostFolder()
{
    // The program's own file, with any link to it resolved.
    return QFileInfo(u"/proc/self/exe"_s).canonicalPath();
}

QString installed(const char* folderFromHost, const QString& name)
{
    return QDir::cleanPath(hostFolder() + u'/' + QLatin1String(folderFromHost) + u'/' + name);
}

} // namespace

namespace InstalledFiles {

QString module()
{
    const QString name = u"libOstrelLoanIssue.so"_s;
    const QString path = installed(OSTREL_MODULE_FROM_HOST, name);
    return QFileInfo::exists(path) ? path : QDir(hostFolder()).filePath(name);
}

QString sqlServerScript()
{
    const QString name = u"PayrollSchemaSqlServer.sql"_s;
    const QString path = installed(OSTREL_DATA_FROM_HOST, name);
    return QFileInfo::exists(path) ? path : u"src/payroll/"_s + name;
}

} // namespace InstalledFiles
