#include "CheckCommand.h"

#include "DatabaseCheck.h"
#include "SqliteFile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace CheckCommand {

namespace {

constexpr int ShownPerCheck = 20;

// Empty when the file was checked; otherwise why this user is not let read it, which is no
// verdict on the file.
QList<DatabaseCheck::Result> checkFile(const QString& path, QString& refusal)
{
    const QFileInfo info(path);
    QString openError;
    if (!info.exists())
        openError = u"the file does not exist"_s;
    else if (!info.isFile())
        openError = u"it is not a file"_s;
    if (openError.isEmpty()) {
        const SqliteFile file(path);
        if (file.error().isEmpty())
            return DatabaseCheck::run(file);
        refusal = file.refusal();
        openError = file.error();
    }
    return {{u"cannot be opened"_s, {openError}}};
}

} // namespace

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    const QString refusal = refusalForNonFile(options.database, u"--check"_s);
    if (!refusal.isEmpty()) {
        err << refusal << '\n';
        return 2;
    }
    qsizetype findings = 0;
    QString notRead;
    const QList<DatabaseCheck::Result> checks = checkFile(options.database, notRead);
    if (!notRead.isEmpty()) {
        err << notRead << u" It was not checked.\n"_s;
        return 1;
    }
    for (const DatabaseCheck::Result& check : checks) {
        if (check.findings.isEmpty())
            out << check.name << u": none found\n"_s;
        for (const QString& finding : check.findings.mid(0, ShownPerCheck))
            out << check.name << u": "_s << finding << '\n';
        if (check.findings.size() > ShownPerCheck)
            out << check.name << u": and %1 more\n"_s.arg(check.findings.size() - ShownPerCheck);
        findings += check.findings.size();
    }
    if (findings == 0) {
        out << u"%1 is sound.\n"_s.arg(options.database);
        return 0;
    }
    out << u"%1 is not sound: %2 finding(s).\n"_s.arg(options.database).arg(findings);
    return 1;
}

} // namespace CheckCommand
