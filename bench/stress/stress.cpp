// Clerks at once, and clerks killed mid-save, against one embedded database file.
//
//   stress [--processes N] [--saves M] [--db FILE] [--seed S]   N clerks x M saves (8 x 500)
//   stress --crash K [--db FILE] [--seed S]                      K kills of a saving clerk (200)
//
// Prints its figures and exits 0 when every check passed. Each clerk is this program started
// again as "stress --clerk FILE INDEX SAVES EMPLOYEES SEED".
#include "ClerkLoop.h"
#include "CrashRun.h"
#include "StressRun.h"

#include "platform/runtime/RuntimeError.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace {

struct Options
{
    int processes = 8;
    int saves = 500;
    int kills = 0;
    quint32 seed = 20240315;
    QString database = QDir::temp().filePath(QStringLiteral("ostrel-stress.db"));
};

Options parse(const QStringList& args)
{
    Options options;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == u"--processes")
            options.processes = qMax(1, value.toInt());
        else if (name == u"--saves")
            options.saves = qMax(1, value.toInt());
        else if (name == u"--crash")
            options.kills = qMax(1, value.toInt());
        else if (name == u"--seed")
            options.seed = value.toUInt();
        else if (name == u"--db")
            options.database = value;
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
    std::printf("stress: %d clerk processes x %d saves on %s\n", options.processes, options.saves,
                qPrintable(options.database));
    const stress::StressResult result = stress::runStress(
        program, options.database, options.processes, options.saves, options.seed);
    std::printf("%s", result.table().toUtf8().constData());
    return result.passed() ? 0 : 1;
}

int crashRole(const Options& options, const QString& program)
{
    std::printf("crash: %d kills of a saving clerk on %s\n", options.kills,
                qPrintable(options.database));
    const stress::CrashResult result =
        stress::runCrashTest(program, options.database, options.kills, options.seed);
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
    QCoreApplication app(argc, argv);
    const Options options = parse(app.arguments());
    try {
        return options.kills > 0 ? crashRole(options, app.applicationFilePath())
                                 : stressRole(options, app.applicationFilePath());
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "stress: %s\n", e.what());
        return 1;
    }
}
