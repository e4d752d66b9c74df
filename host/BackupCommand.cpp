#include "BackupCommand.h"

#include "DatabaseCheck.h"
#include "DurableFile.h"
#include "EngineBackup.h"
#include "HostDatabase.h"
#include "SqliteFile.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace BackupCommand {

namespace {

struct Failure
{
    QString message;
    bool targetUntouched = true;
};

// Set aside beside the target: a copy that failed its check, the newest only.
QString damagedName(const QString& target)
{
    return target + u".damaged"_s;
}

// A rename would put a plain file where a device, pipe or link stood, which even root must not.
bool isOtherThanRegularFile(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

// The target's folder must exist, the target must not be the database or one of its files, and
// what stands under its names must be a plain file.
void checkTarget(const QString& database, const QString& target)
{
    const QFileInfo info(target);
    if (info.isDir())
        throw Failure{
            u"%1 is a folder; name the file the backup is to be written to."_s.arg(target)};
    for (const QString& name : {target, damagedName(target)}) {
        if (isOtherThanRegularFile(name))
            throw Failure{u"%1 is not a plain file (a device, pipe, socket or link); name a "
                          "file the backup may replace."_s.arg(name)};
    }
    if (!info.absoluteDir().exists())
        throw Failure{u"The folder %1 for the backup does not exist."_s.arg(
            QDir::toNativeSeparators(info.absolutePath()))};
    const QString source = QFileInfo(database).canonicalFilePath();
    const QString written =
        QFileInfo(info.absoluteDir().canonicalPath() + QLatin1Char('/') + info.fileName())
            .absoluteFilePath();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        if (written == source + QLatin1String(suffix))
            throw Failure{u"The backup would overwrite the database it copies; name "
                          "another file."_s};
    }
}

QString copyFailure(const EngineBackup::Copy& copy, const QString& folder)
{
    switch (copy.systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return u"The backup does not fit in %1: the disk is full or a file-size "
               "limit was reached (%2)."_s.arg(
                   folder, QString::fromLocal8Bit(std::strerror(copy.systemError)));
    default:
        return u"The copy failed: %1."_s.arg(copy.error);
    }
}

// The findings of --check in the copy, each named by its check.
QStringList findingsIn(const QString& copy)
{
    const SqliteFile file(copy);
    if (!file.error().isEmpty())
        return {u"cannot be opened: "_s + file.error()};
    QStringList findings;
    for (const DatabaseCheck::Result& check : DatabaseCheck::run(file)) {
        for (const QString& finding : check.findings)
            findings << check.name + u": "_s + finding;
    }
    return findings;
}

// A copy with findings never takes the target's name: it replaces the last damaged copy instead.
[[noreturn]] void setAside(QTemporaryFile& partial, const QString& target,
                           const QStringList& findings)
{
    constexpr qsizetype Shown = 5;
    QString named = findings.mid(0, Shown).join(u"; "_s);
    if (findings.size() > Shown)
        named += u"; and %1 more"_s.arg(findings.size() - Shown);
    const QString damaged = damagedName(target);
    const QString error = DurableFile::replace(partial.fileName(), damaged);
    if (error.isEmpty())
        partial.setAutoRemove(false);
    const QString kept = error.isEmpty()
                             ? u"It was kept as %1 for a look."_s.arg(damaged)
                             : u"It could not be kept as %1 (%2)."_s.arg(damaged, error);
    throw Failure{u"The copy is not sound, so the database it was taken from is damaged: "
                  "%1 finding(s): %2. %3 Check the database with --check."_s.arg(findings.size())
                      .arg(named, kept)};
}

// Copies into a temporary file beside the target, checks the copy and renames it into place.
// Returns the issues copied and the copy's size.
std::pair<qint64, qint64> backUp(const SqliteFile& source, const QString& database,
                                 const QString& target)
{
    const QFileInfo info(target);
    QTemporaryFile partial(info.absoluteFilePath() + u".XXXXXX.partial"_s);
    if (!partial.open())
        throw Failure{u"Cannot write the backup in %1: %2."_s.arg(
            QDir::toNativeSeparators(info.absolutePath()), partial.errorString())};
    // Only the engine writes the copy: a second descriptor closed later would drop its locks.
    partial.close();
    const EngineBackup::Copy copy = EngineBackup::copy(source, partial.fileName());
    if (!copy.error.isEmpty())
        throw Failure{copyFailure(copy, QDir::toNativeSeparators(info.absolutePath()))};
    QString error = DurableFile::sync(partial.fileName());
    // The copy is as private as the database it was taken from.
    QFile::setPermissions(partial.fileName(), QFileInfo(database).permissions());
    if (error.isEmpty()) {
        const QStringList findings = findingsIn(partial.fileName());
        if (!findings.isEmpty())
            setAside(partial, target, findings);
        error = DurableFile::replace(partial.fileName(), target);
    }
    if (!error.isEmpty())
        throw Failure{u"The copy could not be put in place: %1."_s.arg(error)};
    partial.setAutoRemove(false);
    error = DurableFile::syncFolderOf(target);
    if (!error.isEmpty())
        throw Failure{u"The copy is in place as %1, but its folder could not be "
                      "flushed to disk (%2); a power cut could still undo it. Take "
                      "the backup again."_s.arg(target, error),
                      false};
    return {copy.issues, QFileInfo(target).size()};
}

} // namespace

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    const QString refusal = refusalForNonFile(options.database, u"--backup"_s);
    if (!refusal.isEmpty()) {
        err << refusal << '\n';
        return 2;
    }
#ifdef SIGXFSZ
    // Past a file-size limit a write fails and is reported, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const QString& target = options.backupTarget;
    try {
        HostDatabase::requireExisting(options.database);
        checkTarget(options.database, target);
        const SqliteFile source(options.database);
        if (!source.error().isEmpty() && !source.notADatabase())
            throw Failure{u"Cannot read %1: %2."_s.arg(options.database, source.error())};
        const QString notPayroll =
            source.notADatabase() ? source.error() : source.notPayrollReason();
        if (!notPayroll.isEmpty())
            throw Failure{u"%1 is not a payroll database: %2."_s.arg(options.database, notPayroll)};
        const auto [issues, bytes] = backUp(source, options.database, target);
        out << u"Backed up %1 to %2: %3 issues, %4 bytes.\n"_s.arg(options.database, target)
                   .arg(issues)
                   .arg(bytes);
        return 0;
    } catch (const Failure& failure) {
        err << failure.message;
        if (!failure.targetUntouched) {
            err << '\n';
            return 1;
        }
    } catch (const RuntimeError& error) {
        err << error.description();
    }
    err << u" Nothing was written under the name %1.\n"_s.arg(target);
    return 1;
}

} // namespace BackupCommand
