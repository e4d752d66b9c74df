#include "CheckCommand.h"

#include "DatabaseCheck.h"
#include "SqliteFile.h"

#include <QFileInfo>

namespace CheckCommand {

namespace {

constexpr int ShownPerCheck = 20;

QList<DatabaseCheck::Result> checkFile(const QString& path)
{
    const QFileInfo info(path);
    QString openError;
    if (!info.exists())
        openError = QStringLiteral("the file does not exist");
    else if (!info.isFile())
        openError = QStringLiteral("it is not a file");
    if (openError.isEmpty()) {
        const SqliteFile file(path);
        if (file.error().isEmpty())
            return DatabaseCheck::run(file);
        openError = file.error();
    }
    return {{QStringLiteral("cannot be opened"), {openError}}};
}

} // namespace

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    const QString refusal = refusalForNonFile(options.database, QStringLiteral("--check"));
    if (!refusal.isEmpty()) {
        err << refusal << '\n';
        return 2;
    }
    qsizetype findings = 0;
    for (const DatabaseCheck::Result& check : checkFile(options.database)) {
        if (check.findings.isEmpty())
            out << check.name << QStringLiteral(": none found\n");
        for (const QString& finding : check.findings.mid(0, ShownPerCheck))
            out << check.name << QStringLiteral(": ") << finding << '\n';
        if (check.findings.size() > ShownPerCheck)
            out << check.name
                << QStringLiteral(": and %1 more\n").arg(check.findings.size() - ShownPerCheck);
        findings += check.findings.size();
    }
    if (findings == 0) {
        out << QStringLiteral("%1 is sound.\n").arg(options.database);
        return 0;
    }
    out << QStringLiteral("%1 is not sound: %2 finding(s).\n").arg(options.database).arg(findings);
    return 1;
}

} // namespace CheckCommand
