#pragma once

#include <QString>

// Putting a finished file in place so that a crash or power cut leaves either the old file or the
// new one under its name, never a part of the new. Each returns an empty string on success and
// the system's reason otherwise.
namespace DurableFile {

// Flushes the file's contents to the disk.
QString sync(const QString& path);
// Renames from over to, replacing it in one step.
QString replace(const QString& from, const QString& to);
// Flushes the folder that holds the file's name, so that a rename into it lasts.
QString syncFolderOf(const QString& path);

} // namespace DurableFile
