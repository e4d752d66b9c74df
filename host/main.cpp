#include "AddIndexesCommand.h"
#include "BackupCommand.h"
#include "CheckCommand.h"
#include "DatabaseSetup.h"
#include "HostCommandLine.h"
#include "HostDatabase.h"
#include "PrintStatements.h"
#include "ShowRegister.h"
#include "StatementCommand.h"
#include "runtime/LargeBuffers.h"
#include "runtime/LocalPath.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

int runAdminAction(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    switch (options.action) {
    case HostOptions::Action::InitDatabase:
        return DatabaseSetup::initDatabase(options, err);
    case HostOptions::Action::CreateDemo:
        return DatabaseSetup::createDemo(options, err);
    case HostOptions::Action::RunStatement:
        return StatementCommand::run(options, out, err);
    case HostOptions::Action::Backup:
        return BackupCommand::run(options, out, err);
    case HostOptions::Action::Check:
        return CheckCommand::run(options, out, err);
    case HostOptions::Action::AddIndexes:
        return AddIndexesCommand::run(options, out, err);
    case HostOptions::Action::OpenRegister:
    case HostOptions::Action::Statements:
        break;
    }
    return 2;
}

// Without a display QApplication would abort; say so instead.
bool hasDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

int openRegister(char* program, const HostOptions& options, QTextStream& err)
{
    HostDatabase::requireExisting(options.database);
    if (!hasDisplay()) {
        err << u"payroll-host: there is no display to open the register on; set "
               "DISPLAY, or QT_QPA_PLATFORM=offscreen.\n"_s;
        return 2;
    }
    // The toolkit reads options of its own from its arguments (on X11 --title renames the first
    // window it shows), so it gets only the program's name: every option is the host's.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {program, nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    return showRegister(options);
}

// Statements are laid out with the toolkit's fonts but shown nowhere: the offscreen platform
// serves them wherever there is no display.
int printStatements(char* program, const HostOptions& options, QTextStream& out, QTextStream& err)
{
    int toolkitArgc = 3;
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    char* toolkitArgv[] = {program, platformOption, offscreen, nullptr};
    QGuiApplication app(toolkitArgc, toolkitArgv);
    return PrintStatements::run(options, out, err);
}

} // namespace

int main(int argc, char* argv[])
{
    LargeBuffers::returnToTheSystemWhenFreed();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << LocalPath::fromBytes(argv[i]);

    QTextStream out(stdout);
    QTextStream err(stderr);
    HostCommandLine commandLine;
    switch (commandLine.parse(arguments)) {
    case HostCommandLine::Outcome::ShowHelp:
        out << commandLine.helpText();
        return 0;
    case HostCommandLine::Outcome::ShowVersion:
        out << u"payroll-host %1\n"_s.arg(QLatin1String(PAYROLL_HOST_VERSION));
        return 0;
    case HostCommandLine::Outcome::Invalid:
        err << u"payroll-host: %1\nTry payroll-host --help.\n"_s.arg(commandLine.error());
        return 2;
    case HostCommandLine::Outcome::Run:
        break;
    }

    // Whatever escapes the commands ends as a message, never as a crash.
    try {
        if (!commandLine.options().isAdminAction())
            return openRegister(argv[0], commandLine.options(), err);
        if (commandLine.options().action == HostOptions::Action::Statements)
            return printStatements(argv[0], commandLine.options(), out, err);
        // The admin work needs no windows, so it also runs where there is no display.
        QCoreApplication app(argc, argv);
        return runAdminAction(commandLine.options(), out, err);
    } catch (const RuntimeError& error) {
        err << u"payroll-host: %1\n"_s.arg(error.description());
    } catch (const std::exception& error) {
        err << u"payroll-host: %1\n"_s.arg(QString::fromLocal8Bit(error.what()));
    }
    return 1;
}
