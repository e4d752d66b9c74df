#include "db/SqlServerCollation.h"

#include <QString>
#include <sqlite3.h>

namespace ado {

namespace {

template <typename Char> qsizetype withoutTrailingBlanks(const Char* text, qsizetype size)
{
    while (size > 0 && text[size - 1] == Char(' '))
        --size;
    return size;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

int collate(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return SqlServerCollation::compareUtf8(static_cast<const char*>(a), aBytes,
                                           static_cast<const char*>(b), bBytes);
}

} // namespace

int SqlServerCollation::compare(QStringView a, QStringView b)
{
    a = a.left(withoutTrailingBlanks(a.utf16(), a.size()));
    b = b.left(withoutTrailingBlanks(b.utf16(), b.size()));
    return sign(a.compare(b, Qt::CaseInsensitive));
}

int SqlServerCollation::compareUtf8(const char* a, int aBytes, const char* b, int bBytes)
{
    const qsizetype aSize = withoutTrailingBlanks(a, aBytes);
    const qsizetype bSize = withoutTrailingBlanks(b, bBytes);
    // Most texts are ASCII: compare byte by byte until a character outside ASCII turns up, then
    // let Unicode case folding decide the rest.
    qsizetype i = 0;
    for (; i < aSize && i < bSize; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            return compare(QString::fromUtf8(a + i, aSize - i),
                           QString::fromUtf8(b + i, bSize - i));
        const int la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        const int lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (la != lb)
            return sign(la - lb);
    }
    return sign(int(aSize - bSize));
}

bool SqlServerCollation::install(sqlite3* db)
{
    return sqlite3_create_collation(db, name, SQLITE_UTF8, nullptr, collate) == SQLITE_OK;
}

} // namespace ado
