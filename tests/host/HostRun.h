#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the host unattended in `folder`, or with `program` another program that starts it (the
// host's path is $HOST). Without a display the register has nowhere to show.
inline Run payrollHost(const QStringList& arguments, const QString& folder,
                       const QString& program = QStringLiteral(PAYROLL_HOST), bool display = true)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("OSTREL_UNATTENDED"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOST"), QStringLiteral(PAYROLL_HOST));
    if (!display) {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
    }
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(120000);
    Run run;
    // A crash is never an answer, whatever the arguments.
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
