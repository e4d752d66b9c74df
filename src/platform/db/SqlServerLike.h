#pragma once

#include <QChar>
#include <QStringView>

namespace ado {

// SQL Server's LIKE: % any run of characters, _ any one character, [abc], [a-c] and [^abc]
// one character of (or not of) a set; letter case is ignored throughout (Unicode case folding).
// An escape character makes the character after it literal.
class SqlServerLike
{
public:
    static bool matches(QStringView text, QStringView pattern, QChar escape = QChar());
};

} // namespace ado
