#include "ClerkProcess.h"

#include <QProcessEnvironment>

namespace ClerkProcess {

void start(QProcess& process, const QString& program, const QString& databasePath, int clerkIndex,
           int saves, int employees, quint32 seed)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program,
                  {QStringLiteral("--clerk"), databasePath, QString::number(clerkIndex),
                   QString::number(saves), QString::number(employees), QString::number(seed)});
}

} // namespace ClerkProcess
