#pragma once

#include <QString>

namespace ado {

// How Qt's SQLite driver is told to open a database file. A file this process may not write
// (its permissions, a folder where its journal cannot be made, or a read-only disk) opens for
// reading, so that it can at least be read;
// where not even the shared-memory file beside it can be made, SQLite's immutable mode reads
// it without one. A name whose bytes are not UTF-8 is passed as a URI with every byte
// percent-encoded. A name that is already a "file:" URI passes as it is.
struct SqliteFileTarget
{
    QString databaseName;
    QString connectOptions;

    static SqliteFileTarget forPath(const QString& path);
};

} // namespace ado
