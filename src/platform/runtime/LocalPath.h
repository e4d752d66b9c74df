#pragma once

#include "ostrelplatform_export.h"

#include <QByteArray>
#include <QString>

// File names as the system stores them: bytes, usually but not always UTF-8. A name typed in a
// non-UTF-8 locale (the Latin-1 bytes of "café.db" under LANG=C) must still name that same
// file, so a byte that is no part of valid UTF-8 travels in a QString as the lone surrogate
// U+DC00 + byte and turns back into that byte on the way out.
namespace LocalPath {

// A command-line argument or file name as text, losing no byte.
OSTRELPLATFORM_EXPORT QString fromBytes(QByteArrayView bytes);
// The bytes of a name that fromBytes gave (or any text, as UTF-8).
OSTRELPLATFORM_EXPORT QByteArray toBytes(const QString& path);
// Whether toBytes gives bytes that are not UTF-8, which Qt's file functions cannot name.
OSTRELPLATFORM_EXPORT bool hasForeignBytes(const QString& path);

OSTRELPLATFORM_EXPORT bool exists(const QString& path);
OSTRELPLATFORM_EXPORT bool isFolder(const QString& path);
// Whether this process may write the file (false on a read-only disk too).
OSTRELPLATFORM_EXPORT bool isWritable(const QString& path);
OSTRELPLATFORM_EXPORT bool remove(const QString& path);
// The folder the file lies in, "." for a bare name.
OSTRELPLATFORM_EXPORT QString folderOf(const QString& path);

} // namespace LocalPath
