#pragma once

#include <QProcess>
#include <QString>

// Starts the stress program in its clerk role (a process of its own, windows offscreen).
namespace ClerkProcess {

void start(QProcess& process, const QString& program, const QString& databasePath, int clerkIndex,
           int saves, int employees, quint32 seed);

} // namespace ClerkProcess
