#pragma once

#include <QString>

class SqliteFile;

// The engine's online backup of a payroll database into a new file, in one pass: the copy is the
// database as it stood when the pass began, every commit before it included and nothing of a
// later one, while other clerks go on saving (the write-ahead log keeps their commits apart from
// the pages being read). A backup taken in steps would restart whenever a clerk commits.
namespace EngineBackup {

struct Copy
{
    qint64 issues = 0;
    QString error;       // the engine's message; empty when the copy is complete
    int systemError = 0; // errno of the failing write, 0 when none
};

// Writes the copy into the existing empty file at path.
Copy copy(const SqliteFile& source, const QString& path);

} // namespace EngineBackup
