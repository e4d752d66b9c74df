#include "ModuleLoader.h"

#include "platform/runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>

namespace {

constexpr qint32 CannotCreateObject = 429;

QString defaultModulePath()
{
    const QString fromEnvironment = qEnvironmentVariable("OSTREL_LOAN_MODULE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("libOstrelLoanIssue.so"));
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
        throw RuntimeError(CannotCreateObject,
                           QStringLiteral("The loan issue module at %1 could not be "
                                          "loaded: %2")
                               .arg(m_path, m_loader.errorString()));
    auto* server = qobject_cast<OstrelComponentServer*>(instance);
    if (!server)
        throw RuntimeError(CannotCreateObject,
                           QStringLiteral("%1 is not the loan issue module.").arg(m_path));
    std::unique_ptr<_clsLoan> object = server->CreateObject(progId);
    if (!object)
        throw RuntimeError(
            CannotCreateObject,
            QStringLiteral("The module at %1 does not serve %2.").arg(m_path, progId));
    return object;
}
