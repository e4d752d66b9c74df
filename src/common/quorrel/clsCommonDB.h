#pragma once

#include "ComObject.h"
#include "db/Connection.h"

#include <QString>
#include <QVariant>

class QComboBox;

// Database services of the host's shared library. Every call reads from strTableName, a FROM
// fragment (a table, tables with aliases, or a join), optionally followed by a where condition.
class QUORREL_EXPORT clsCommonDB : public ComObject
{
public:
    ado::ConnectionPtr adocon;
    QString strTableName;

    // Lists one entry per matching row: the text column's text, the value column as the entry's
    // whole-number item data, ordered by the text. Earlier entries are gone.
    void populatecomboorlist(QComboBox* combo, const QString& valueColumn,
                             const QString& textColumn, const QString& condition);

    // The column's value in the first matching row; Null when no row matches (callers read Null
    // as 0 or as the empty text).
    QVariant fnReturnField(const QString& column, const QString& condition);

    // One above the highest value of the column in the rows of strTableName (1 when none).
    // Inside a transaction on a server the read holds its range until commit, so two saves
    // cannot draw the same number.
    qint32 fnGetNextMaxNo(const QString& column);

private:
    ado::Connection& connection();
    QString selectFrom(const QString& columns, const QString& condition) const;
};
