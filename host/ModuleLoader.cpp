#include "ModuleLoader.h"

#include "InstalledFiles.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 CannotCreateObject = 429;

QString defaultModulePath()
{
    const QString fromEnvironment = qEnvironmentVariable("OSTREL_LOAN_MODULE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return InstalledFiles::module();
}

} // namespace

ModuleLoader::ModuleLoader(const QString& modulePath)
    : m_path(modulePath.isEmpty() ? defaultModulePath() : modulePath)
{
}

std::unique_ptr<_clsLoan> ModuleLoader::create(const QString& progId)
{
    m_loader.setFileName(m_path);
    QObject* instance = m_loader.instance();
    if (!instance)
        throw RuntimeError(CannotCreateObject, u"The loan issue module at %1 could not be "
                                               "loaded: %2"_s.arg(m_path, m_loader.errorString()));
    auto* server = qobject_cast<OstrelComponentServer*>(instance);
    if (!server)
        throw RuntimeError(CannotCreateObject, u"%1 is not the loan issue module."_s.arg(m_path));
    std::unique_ptr<_clsLoan> object = server->CreateObject(progId);
    if (!object)
        throw RuntimeError(CannotCreateObject,
                           u"The module at %1 does not serve %2."_s.arg(m_path, progId));
    return object;
}
