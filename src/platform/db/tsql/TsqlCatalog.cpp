#include "db/tsql/TsqlCatalog.h"

#include "db/SqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace ado::tsql {

namespace {

Type declaredType(const QList<SqlToken>& t, qsizetype p)
{
    const QString base = t[p].text.toLower();
    const int length = p + 2 < t.size() && t[p + 1].isSymbol("("_L1) ? t[p + 2].text.toInt() : 1;
    if (const Type known = Type::named(base, length); known.kind != Type::Null)
        return known;
    // A type the front end does not know leaves the column untyped; using it is refused.
    return {Type::Condition};
}

} // namespace

const Catalog::Column* Catalog::Table::column(const QString& name) const
{
    for (const Column& c : columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

Catalog::Catalog(const QString& script)
{
    QList<SqlToken> t;
    for (const SqlToken& token : SqlTokenizer::tokenize(script)) {
        if (token.isSignificant())
            t.append(token);
    }
    static const QLatin1StringView constraints[] = {"constraint"_L1, "primary"_L1, "unique"_L1,
                                                    "check"_L1, "foreign"_L1};
    for (qsizetype p = 0; p + 3 < t.size(); ++p) {
        if (!t[p].isWord("create"_L1) || !t[p + 1].isWord("table"_L1))
            continue;
        Table table{t[p + 2].name(), {}};
        // The definitions between the outer brackets, split at the commas outside inner ones.
        QList<QList<qsizetype>> items{{}};
        int depth = 0;
        for (qsizetype q = p + 3; q < t.size(); ++q) {
            if (t[q].isSymbol("("_L1) && ++depth == 1)
                continue;
            if (t[q].isSymbol(")"_L1) && --depth == 0) {
                p = q;
                break;
            }
            if (depth == 1 && t[q].isSymbol(","_L1))
                items.append(QList<qsizetype>());
            else
                items.last().append(q);
        }
        for (const QList<qsizetype>& item : items) {
            if (item.size() < 2)
                continue;
            bool isConstraint = false;
            for (const auto& word : constraints)
                isConstraint = isConstraint || t[item[0]].isWord(word);
            if (isConstraint)
                continue;
            Column column{t[item[0]].name(), declaredType(t, item[1])};
            for (qsizetype q : item)
                column.identity = column.identity || t[q].isWord("identity"_L1);
            table.columns.append(column);
        }
        m_tables.insert(table.name.toCaseFolded(), table);
    }
}

const Catalog::Table* Catalog::table(const QString& name) const
{
    const auto it = m_tables.constFind(name.toCaseFolded());
    return it == m_tables.constEnd() ? nullptr : &*it;
}

} // namespace ado::tsql
