#pragma once

#include <QString>

namespace ado {
class Connection;
}

// The highest running number in use after a prefix, found by a seek on the derived key of the
// issue number (its head: the number with its digits blanked and trailing blanks dropped, in
// capitals; its tail: the value of the digits after a head free of blanks) instead of reading
// every issue of the company and type.
namespace RunningNumberSeek {

// The derived key's expressions over liNo, written so that both engines evaluate them with
// their own built-in functions; the schema scripts index exactly these texts.
QString headExpression();
QString tailExpression();

// The value the full read "isnull(max(convert(int,right(liNo,len(liNo)-N))),0) ... liNo like
// 'PREFIX%'" gives, failing where it fails. A prefix other than plain letters, or a stored
// number after the prefix that is not plain digits, leaves the answer to that read itself.
double highestInUse(ado::Connection& connection, const QString& table, qint16 companyId,
                    const QString& type, const QString& prefix);

// The full read over every issue of the company and type whose number begins with the prefix.
QString fullReadStatement(const QString& table, qint16 companyId, const QString& type,
                          const QString& prefix);

} // namespace RunningNumberSeek
