#pragma once

#include <QString>
#include <QStringList>

class SqliteFile;

// What --check looks at in a payroll database file: the engine's integrity check and the
// invariants the module relies on. They are checked by explicit queries, since an older database
// may lack the unique keys that would keep them.
namespace DatabaseCheck {

struct Result
{
    QString name;         // names each of its findings, e.g. "duplicate issue number"
    QStringList findings; // empty when the file passed
};

QList<Result> run(const SqliteFile& file);

} // namespace DatabaseCheck
