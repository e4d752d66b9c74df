#pragma once

#include <QString>

namespace ado {

// One lexical piece of a statement. Concatenating the texts of all tokens gives the statement
// back unchanged.
struct SqlToken
{
    enum class Kind { Space, Comment, String, QuotedName, Number, Word, Symbol };

    Kind kind;
    QString text;

    bool isSignificant() const { return kind != Kind::Space && kind != Kind::Comment; }
    bool isWord(QLatin1StringView word) const
    {
        return kind == Kind::Word && text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QLatin1StringView symbol) const { return kind == Kind::Symbol && text == symbol; }
    // A column or table name: a plain word or a quoted or bracketed name.
    bool isName() const { return kind == Kind::Word || kind == Kind::QuotedName; }
    // The name without its quotes or brackets.
    QString name() const;
    // The content of a string literal without its quotes, doubled quotes made single.
    QString stringValue() const;
};

} // namespace ado
