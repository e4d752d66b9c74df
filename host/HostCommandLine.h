#pragma once

#include "HostOptions.h"

#include <QCommandLineParser>
#include <QStringList>

// The command line of payroll-host: parses and checks the options into HostOptions. Works
// before any application object exists, so the host can choose a windowless one for its admin
// options.
class HostCommandLine
{
public:
    enum class Outcome { Run, ShowHelp, ShowVersion, Invalid };

    HostCommandLine();

    // arguments as in argv, the program first.
    Outcome parse(const QStringList& arguments);
    const HostOptions& options() const { return m_options; }
    // Why the arguments were refused.
    const QString& error() const { return m_error; }
    QString helpText() const;

private:
    bool readAction();
    bool readStatements();
    bool readRegisterContext();

    QCommandLineParser m_parser;
    HostOptions m_options;
    QString m_error;
};
