// Clerks at once, and clerks killed mid-save, against one embedded database file.
//
// Prints its figures and exits 0 when every check passed. Each clerk is this program started
// again as "stress --clerk FILE INDEX SAVES EMPLOYEES SEED".
#include "ClerkLoop.h"
#include "CrashRun.h"
#include "HelpOption.h"
#include "StressRun.h"

#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char* const Usage =
    "Usage: stress [--processes N] [--saves M] [--issues K] [--db FILE] [--seed S]\n"
    "       stress --crash K [--db FILE] [--seed S]\n"
    "The first form starts N clerk processes (default 8), each saving M new loans (default 500)\n"
    "through the entry window on a database already holding K issues (default 0; a quarter\n"
    "of them loans, as the loans' running numbers end at 32767),\n"
    "and reports the counts, the time from OK to commit of each save (from the Yes, where a\n"
    "save asks to close the employee's running loan, which the clerks answer Yes) and an\n"
    "audit of the file.\n"
    "The second kills a saving clerk K times and audits the file after each kill.\n"
    "The database is created afresh in FILE, or in a private temporary folder removed at the\n"
    "end when no --db is given. Exit status: 0 every check passed, 1 a check failed, 2 wrong\n"
    "options.\n";

struct Options
{
    stress::StressPlan plan;
    int kills = 0;
    QString database;
};

bool readCount(const QString& text, int minimum, int& count)
{
    bool ok = false;
    count = text.toInt(&ok);
    return ok && count >= minimum;
}

std::optional<Options> parse(const QStringList& args)
{
    Options options;
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString& name = args[i];
        const QString value = args.value(i + 1);
        bool ok = i + 1 < args.size();
        if (name == u"--processes")
            ok = ok && readCount(value, 1, options.plan.processes);
        else if (name == u"--saves")
            ok = ok && readCount(value, 1, options.plan.saves);
        else if (name == u"--issues")
            ok = ok && readCount(value, 0, options.plan.seededIssues);
        else if (name == u"--crash")
            ok = ok && readCount(value, 1, options.kills);
        else if (name == u"--seed")
            options.plan.seed = value.toUInt(&ok);
        else if (name == u"--db")
            options.database = value;
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "stress: cannot use '%s %s'; see stress --help.\n",
                         qPrintable(name), qPrintable(value));
            return std::nullopt;
        }
    }
    return options;
}

int clerkRole(const QStringList& args)
{
    if (args.size() < 7)
        return 2;
    return runClerk(args[2], args[3].toInt(), args[4].toInt(), args[5].toInt(), args[6].toUInt());
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
    const bool clerk = argc > 1 && std::strcmp(argv[1], "--clerk") == 0;
    if (clerk) {
        // The clerk drives the real windows, offscreen.
        QApplication app(argc, argv);
        return clerkRole(app.arguments());
    }
    if (printedHelp(argc, argv, Usage))
        return 0;
    QCoreApplication app(argc, argv);
    std::optional<Options> options = parse(app.arguments());
    if (!options)
        return 2;
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
        return options->kills > 0 ? crashRole(*options, app.applicationFilePath())
                                  : stressRole(*options, app.applicationFilePath());
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "stress: %s\n", e.what());
        return 1;
    }
}
