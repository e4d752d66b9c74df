#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
#include <pwd.h>
#include <unistd.h>

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the host unattended in `folder`. A `wrapper` (a shell setting a limit, another user) is a
// program with its arguments that starts the host, whose path it gets as its next argument.
// Without a display the register has nowhere to show.
inline Run payrollHost(const QStringList& arguments, const QString& folder = QString(),
                       const QStringList& wrapper = {}, bool display = true)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("OSTREL_UNATTENDED"), QStringLiteral("1"));
    if (!display) {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
    }
    process.setProcessEnvironment(environment);
    const QStringList command = wrapper + QStringList{QStringLiteral(PAYROLL_HOST)} + arguments;
    process.start(command.front(), command.mid(1));
    process.waitForFinished(120000);
    Run run;
    // A crash is never an answer, whatever the arguments.
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Root may write any file: what a user may not write is met as the user nobody instead.
inline QStringList asUnprivileged()
{
    return ::geteuid() == 0 ? QStringList{"runuser", "-u", "nobody", "--"} : QStringList();
}
inline bool canRunUnprivileged()
{
    return ::geteuid() != 0 ||
           (!QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty() &&
            ::getpwnam("nobody"));
}

inline QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
