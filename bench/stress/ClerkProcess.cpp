#include "ClerkProcess.h"

#include <QProcessEnvironment>

using namespace Qt::StringLiterals;

namespace ClerkProcess {

void start(QProcess& process, const QString& program, const QString& databasePath, int clerkIndex,
           int saves, int employees, quint32 seed)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program,
                  {u"--clerk"_s, databasePath, QString::number(clerkIndex), QString::number(saves),
                   QString::number(employees), QString::number(seed)});
}

} // namespace ClerkProcess
