#pragma once

#include "ostrelplatform_export.h"

#include <QString>

namespace ado {

// How the engine is told to open a database file, so that a user who may only read it changes
// nothing beside it and never reads a state older than the last commit.
//
// A file in the write-ahead mode is read through its -wal and -shm files: the engine creates
// them when they are missing, even for reading, and a reader's files would then block the
// owner's next save. The owner's connections keep the pair after they close, so a reader opens
// for reading only where both exist and it may read them, and is refused otherwise. The
// engine's immutable mode (no locks, no -shm) is used only on a read-only disk, where no one can
// be changing the file, and only when no commits wait in its -wal. A user who may write the file
// but meets a -wal or -shm it cannot write is refused with the name of that file's owner.
//
// A name whose bytes are not UTF-8 is passed as a URI with every byte percent-encoded. A name
// that is already a "file:" URI passes as it is.
struct OSTRELPLATFORM_EXPORT SqliteFileTarget
{
    QString databaseName;
    // Whether databaseName is a "file:" URI, and whether the file opens for reading only.
    bool isUri = false;
    bool readOnly = false;
    // Why the file is not opened; empty when it may be.
    QString refusal = {};

    // To read and write where this user may.
    static SqliteFileTarget forPath(const QString& path);
    // Only to read: databaseName is always a "file:" URI.
    static SqliteFileTarget forReading(const QString& path);
};

} // namespace ado
