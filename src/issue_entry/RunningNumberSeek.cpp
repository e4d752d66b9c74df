#include "issue_entry/RunningNumberSeek.h"

#include "db/Connection.h"
#include "db/SqlLiteral.h"
#include "runtime/Conversions.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace RunningNumberSeek {

namespace {

// liNo with its blanks made visible (so a blank never passes for a blanked digit) and every
// digit blanked. Only replace, rtrim, upper and cast appear: the embedded engine's own
// functions, so a plain sqlite3 writer keeps the index up to date as SQL Server does.
QString digitsBlanked()
{
    QString expression = u"replace(liNo,' ','~')"_s;
    for (char digit = '0'; digit <= '9'; ++digit)
        expression = u"replace(%1,'%2',' ')"_s.arg(expression, QChar::fromLatin1(digit));
    return expression;
}

// The letters of a prefix followed by anything sort after the prefix and before this bound,
// in binary order and in a case-insensitive collation alike; empty: no bound.
QString boundAfter(QString prefix)
{
    while (prefix.endsWith(u'Z'))
        prefix.chop(1);
    if (!prefix.isEmpty())
        prefix.back() = QChar(prefix.back().unicode() + 1);
    return prefix;
}

QString issuesOf(const QString& table, qint16 companyId, const QString& type)
{
    return u" FROM %1 WHERE liCompanyID=%2 and litype= '%3'"_s.arg(
        table, QString::number(companyId), ado::quotedText(type));
}

} // namespace

QString headExpression()
{
    return u"upper(rtrim(%1))"_s.arg(digitsBlanked());
}

QString tailExpression()
{
    const QString head = headExpression();
    return u"case when %1 = replace(%1,' ','') then "
           "cast(replace(upper(replace(liNo,' ','~')),%1,'') as float) end"_s.arg(head);
}

QString fullReadStatement(const QString& table, qint16 companyId, const QString& type,
                          const QString& prefix)
{
    return u"SELECT isnull(max(convert(int,right(liNo,len(liNo)-%1))),0)"_s.arg(prefix.size()) +
           issuesOf(table, companyId, type) +
           u" and liNo like '%1%'"_s.arg(ado::quotedText(vb::Trim(prefix)));
}

double highestInUse(ado::Connection& connection, const QString& table, qint16 companyId,
                    const QString& type, const QString& prefix)
{
    // The key's head equals the prefix in capitals exactly when the number is the prefix (in
    // any case) and digits; a number that begins with the prefix and goes on otherwise has a
    // longer head in the range after it. Either finding is one step down the index.
    static const QRegularExpression lettersOnly(u"^[A-Za-z]*$"_s);
    const QString head = prefix.toUpper();
    const QString bound = boundAfter(head);
    const QString where = issuesOf(table, companyId, type) + u" and "_s + headExpression();
    const bool plain =
        lettersOnly.match(prefix).hasMatch() &&
        connection
            .ExecuteScalar(
                u"SELECT min(%1)%2 > '%3'"_s.arg(headExpression(), where, head) +
                (bound.isEmpty() ? QString() : u" and %1 < '%2'"_s.arg(headExpression(), bound)))
            .isNull();
    if (!plain)
        return vb::Val(
            vb::CStr(connection.ExecuteScalar(fullReadStatement(table, companyId, type, prefix))));
    return connection
        .ExecuteScalar(u"SELECT isnull(max(%1),0)%2 = '%3'"_s.arg(tailExpression(), where, head))
        .toDouble();
}

} // namespace RunningNumberSeek
