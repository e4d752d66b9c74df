#include "runtime/LocalPath.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace LocalPath {

namespace {

constexpr char16_t escapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `i`, or 0 when the byte there starts none.
qsizetype utf8SequenceAt(QByteArrayView bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x06 ? 2
                             : (lead >> 4) == 0x0E ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    // Overlong forms and encoded surrogates decode to the replacement character.
    const QByteArrayView sequence = bytes.sliced(i, length);
    const bool isReplacement = sequence == QByteArrayView("\xEF\xBF\xBD");
    if (length > 1 && !isReplacement &&
        QString::fromUtf8(sequence).contains(QChar::ReplacementCharacter))
        return 0;
    return length;
}

bool isEscape(const QString& text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF &&
           (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

QString fromBytes(QByteArrayView bytes)
{
    QString text;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = utf8SequenceAt(bytes, i);
        if (length > 0) {
            text += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        } else {
            text += QChar(char16_t(escapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return text;
}

QByteArray toBytes(const QString& path)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscape(path, i))
            continue;
        bytes += QStringView(path).sliced(runStart, i - runStart).toUtf8();
        bytes += char(path[i].unicode() - escapeBase);
        runStart = i + 1;
    }
    return bytes + QStringView(path).sliced(runStart).toUtf8();
}

bool hasForeignBytes(const QString& path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isEscape(path, i))
            return true;
    }
    return false;
}

bool exists(const QString& path)
{
    return ::access(toBytes(path).constData(), F_OK) == 0;
}

bool isFolder(const QString& path)
{
    struct stat status;
    return ::stat(toBytes(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isWritable(const QString& path)
{
    return ::access(toBytes(path).constData(), W_OK) == 0;
}

bool remove(const QString& path)
{
    return ::unlink(toBytes(path).constData()) == 0;
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? u"."_s : slash == 0 ? u"/"_s : path.left(slash);
}

} // namespace LocalPath
