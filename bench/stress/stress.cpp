// Clerks at once, and clerks killed mid-save, against one embedded database file.
//
// Prints its figures and exits 0 when every check passed. Each clerk is this program started
// again as "stress --clerk FILE INDEX SAVES EMPLOYEES SEED".
#include "BenchCommandLine.h"
#include "ClerkLoop.h"
#include "CrashRun.h"
#include "LatencyLadder.h"
#include "StressRun.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char* const Usage =
    "Usage: stress [--processes N] [--saves M] [--issues K] [--db FILE] [--seed S]\n"
    "       stress --ladder K1,K2,... [--saves M] [--db FILE] [--seed S]\n"
    "       stress --crash K [--db FILE] [--seed S]\n"
    "The first form starts N clerk processes (default 8), each saving M new loans (default 500)\n"
    "through the entry window on a database already holding K loans (default 0; the running\n"
    "numbers are 32-bit), and reports the counts, the time from OK to commit of each save (from\n"
    "the Yes, where a save asks to close the employee's running loan, which the clerks answer\n"
    "Yes) and an audit of the file.\n"
    "The second runs the first for 1 and then 8 clerks on K1, K2, ... loans and prints the\n"
    "time from OK to commit of each run (median, 95th and 99th percentile, slowest) against\n"
    "the goals.\n"
    "The third kills a saving clerk K times and audits the file after each kill.\n"
    "The database is created afresh in FILE, or in a private temporary folder removed at the\n"
    "end when no --db is given. Exit status: 0 every check passed, 1 a check failed, 2 wrong\n"
    "options.\n";

struct Options
{
    stress::StressPlan plan;
    int kills = 0;
    QList<int> ladder; // numbers of loans already stored
    QString database;
};

bool readSizes(const QString& text, QList<int>& sizes)
{
    for (const QString& size : text.split(u',')) {
        int count = 0;
        if (!readCount(size, 0, count))
            return false;
        sizes << count;
    }
    return true;
}

QList<QCommandLineOption> declaredOptions()
{
    QList<QCommandLineOption> options{QCommandLineOption(u"clerk"_s)};
    for (const char* name : {"processes", "saves", "issues", "ladder", "crash", "seed", "db"})
        options.append(QCommandLineOption(QString::fromLatin1(name), QString(), u"VALUE"_s));
    return options;
}

std::optional<Options> readOptions(const BenchCommandLine& commandLine)
{
    const QCommandLineParser& parser = commandLine.parser();
    if (!parser.positionalArguments().isEmpty()) {
        commandLine.refuse(
            u"Unexpected argument '%1'."_s.arg(parser.positionalArguments().constFirst()));
        return std::nullopt;
    }
    Options options;
    for (const QString& name : parser.optionNames()) {
        const QString value = parser.value(name);
        bool ok = true;
        if (name == u"processes")
            ok = readCount(value, 1, options.plan.processes);
        else if (name == u"saves")
            ok = readCount(value, 1, options.plan.saves);
        else if (name == u"issues")
            ok = readCount(value, 0, options.plan.seededIssues);
        else if (name == u"ladder")
            ok = readSizes(value, options.ladder);
        else if (name == u"crash")
            ok = readCount(value, 1, options.kills);
        else if (name == u"seed")
            options.plan.seed = value.toUInt(&ok);
        else if (name == u"db")
            options.database = value;
        if (!ok) {
            commandLine.refuse(u"cannot use '--%1 %2'."_s.arg(name, value));
            return std::nullopt;
        }
    }
    return options;
}

int clerkRole(int argc, char** argv, const BenchCommandLine& commandLine)
{
    const QStringList args = commandLine.parser().positionalArguments();
    int index = 0;
    int saves = 0;
    int employees = 0;
    bool seedRead = false;
    const quint32 seed = args.value(4).toUInt(&seedRead);
    if (args.size() != 5 || !readCount(args[1], 0, index) || !readCount(args[2], 1, saves) ||
        !readCount(args[3], 1, employees) || !seedRead)
        return commandLine.refuse(
            u"a clerk is started as 'stress --clerk FILE INDEX SAVES EMPLOYEES SEED', not with "
            "'%1'."_s.arg(args.join(u' ')));
    // The clerk drives the real windows, offscreen.
    QApplication app(argc, argv);
    return runClerk(args[0], index, saves, employees, seed);
}

int stressRole(const Options& options, const QString& program)
{
    const stress::StressPlan& plan = options.plan;
    std::printf("stress: %d clerk processes x %d saves on %s (%d issues seeded)\n", plan.processes,
                plan.saves, qPrintable(options.database), plan.seededIssues);
    std::fflush(stdout);
    const stress::StressResult result = stress::runStress(program, options.database, plan);
    std::printf("%s", result.table().toUtf8().constData());
    return result.passed() ? 0 : 1;
}

int crashRole(const Options& options, const QString& program)
{
    std::printf("crash: %d kills of a saving clerk on %s\n", options.kills,
                qPrintable(options.database));
    const stress::CrashResult result =
        stress::runCrashTest(program, options.database, options.kills, options.plan.seed);
    std::printf("  kills                  %d in %.1f s\n", result.kills, result.seconds);
    std::printf("  issues stored          %d\n", result.issues);
    std::printf("  unsound after a kill   %d %s\n", result.unsound, qPrintable(result.firstFault));
    std::printf("  result                 %s\n", result.passed() ? "PASS" : "FAIL");
    return result.passed() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    BenchCommandLine commandLine("stress", Usage, declaredOptions());
    if (const std::optional<int> done = commandLine.parse(argc, argv))
        return *done;
    if (commandLine.parser().isSet(u"clerk"_s))
        return clerkRole(argc, argv, commandLine);
    std::optional<Options> options = readOptions(commandLine);
    if (!options)
        return 2;
    QCoreApplication app(argc, argv);
    // Unless a file is named, the run's database is its own: no other run or user shares it.
    std::optional<QTemporaryDir> privateFolder;
    if (options->database.isEmpty()) {
        privateFolder.emplace();
        if (!privateFolder->isValid()) {
            std::fprintf(stderr, "stress: no temporary folder: %s\n",
                         qPrintable(privateFolder->errorString()));
            return 1;
        }
        options->database = privateFolder->filePath(u"stress.db"_s);
    }
    try {
        if (!options->ladder.isEmpty())
            return stress::runLatencyLadder(app.applicationFilePath(), options->database,
                                            options->ladder, options->plan.saves,
                                            options->plan.seed)
                       ? 0
                       : 1;
        return options->kills > 0 ? crashRole(*options, app.applicationFilePath())
                                  : stressRole(*options, app.applicationFilePath());
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "stress: %s\n", e.what());
        return 1;
    }
}
