#include "clsCommonDB.h"

#include "db/Recordset.h"
#include "runtime/Conversions.h"

#include <QComboBox>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Whether the FROM fragment already carries a where condition (a whole word outside quotes).
bool hasWhere(const QString& fragment)
{
    static const QRegularExpression quoted(u"'[^']*'"_s);
    static const QRegularExpression where(u"\\bwhere\\b"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    QString unquoted = fragment;
    unquoted.replace(quoted, u"''"_s);
    return unquoted.contains(where);
}

} // namespace

ado::Connection& clsCommonDB::connection()
{
    if (!adocon)
        adocon = std::make_shared<ado::Connection>();
    return *adocon;
}

QString clsCommonDB::selectFrom(const QString& columns, const QString& condition) const
{
    QString sql = u"select %1 from %2"_s.arg(columns, strTableName);
    if (!vb::Trim(condition).isEmpty()) {
        const QString joiner = hasWhere(strTableName) ? u" and "_s : u" where "_s;
        sql += u"%1(%2)"_s.arg(joiner, condition);
    }
    return sql;
}

void clsCommonDB::populatecomboorlist(QComboBox* combo, const QString& valueColumn,
                                      const QString& textColumn, const QString& condition)
{
    ado::Recordset rs;
    const QString sql = selectFrom(valueColumn + u", "_s + textColumn, condition);
    rs.Open(u"%1 order by %2"_s.arg(sql, textColumn), connection());
    const QSignalBlocker quiet(combo); // the list is replaced, not chosen from
    combo->clear();
    while (!rs.isEOF()) {
        combo->addItem(vb::TextOf(rs.value(1)), QVariant(vb::CLng(rs.value(0))));
        rs.MoveNext();
    }
    combo->setCurrentIndex(-1);
    rs.Close();
}

QVariant clsCommonDB::fnReturnField(const QString& column, const QString& condition)
{
    ado::Recordset rs;
    rs.Open(selectFrom(column, condition), connection());
    const QVariant value = rs.isEOF() ? QVariant() : rs.value(0);
    rs.Close();
    return value;
}

qint32 clsCommonDB::fnGetNextMaxNo(const QString& column)
{
    QString from = strTableName;
    if (!connection().isSqlite()) {
        // On a server the read locks the range it reads until the transaction ends.
        static const QRegularExpression firstTable(u"^\\s*([\\w.\\[\\]]+)"_s);
        from.replace(firstTable, u" \\1 with (updlock, holdlock)"_s);
    }
    const QString sql = u"select isnull(max(%1),0)+1 from %2"_s.arg(column, from);
    return vb::CLng(connection().ExecuteScalar(sql));
}
