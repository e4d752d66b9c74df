#include "db/tsql/TsqlRuntime.h"
#include "db/SqliteFunctionSupport.h"

#include "db/SqlServerDateText.h"
#include "db/tsql/TsqlDateParts.h"

#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace ado::tsql {

namespace {

// Letter by letter, as SQL Server changes case: 'ß' stays one letter.
QString eachCharacter(QString text, QChar (QChar::*change)() const noexcept)
{
    for (QChar& c : text)
        c = (c.*change)();
    return text;
}

void failHere(sqlite3_context* context, int, sqlite3_value** argv)
{
    resultError(context, textOf(argv[0]));
}

void upper(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    resultText(context, eachCharacter(textOf(argv[0]), &QChar::toUpper));
}

void lower(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    resultText(context, eachCharacter(textOf(argv[0]), &QChar::toLower));
}

void replace(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    QString text = textOf(argv[0]);
    const QString find = textOf(argv[1]);
    if (!find.isEmpty())
        text.replace(find, textOf(argv[2]), Qt::CaseInsensitive);
    resultText(context, text);
}

// tsql_charindex(find, search, start): CHARINDEX, without regard to case; a start below 1
// searches from the first character.
void charIndex(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const QString find = textOf(argv[0]);
    const QString search = textOf(argv[1]);
    const qint64 start = std::max<qint64>(sqlite3_value_int64(argv[2]), 1);
    if (find.isEmpty() || start > search.size())
        return sqlite3_result_int(context, 0);
    sqlite3_result_int64(context, search.indexOf(find, start - 1, Qt::CaseInsensitive) + 1);
}

// tsql_replicate(text, n, most): the text n times, cut at `most` characters; NULL for a
// negative n.
void replicate(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (anyNull(argc, argv) || n < 0)
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]);
    const qint64 most = sqlite3_value_int64(argv[2]);
    const qint64 times = text.isEmpty() ? 0 : std::min(n, most / text.size() + 1);
    resultText(context, text.repeated(times).left(most));
}

// tsql_stuff(text, start, length, insert): STUFF; NULL for a start outside the text or a
// negative length, a NULL insert deleting only.
void stuff(sqlite3_context* context, int, sqlite3_value** argv)
{
    for (int i = 0; i < 3; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);
    }
    QString text = textOf(argv[0]);
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = sqlite3_value_int64(argv[2]);
    if (start < 1 || start > text.size() || length < 0)
        return sqlite3_result_null(context);
    const QString with = sqlite3_value_type(argv[3]) == SQLITE_NULL ? QString() : textOf(argv[3]);
    resultText(context, text.replace(start - 1, std::min(length, text.size() - start + 1), with));
}

// tsql_float(x): a float result that left the type's range fails, where the engine would go on
// with an infinity.
void finite(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const double d = sqlite3_value_double(argv[0]);
    if (std::isfinite(d))
        return sqlite3_result_double(context, d);
    resultError(context,
                QByteArray("Arithmetic overflow error converting expression to data type float."));
}

// tsql_date(text) and tsql_datetime(text): a text read as SQL Server reads a date under
// us_english, as the engine stores it; a text that is none fails with SQL Server's error, and
// a time of day, which a datetime would keep, is refused.
void date(sqlite3_context* context, int, sqlite3_value** argv, bool withTime)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const QString text = textOf(argv[0]);
    const std::optional<QDate> date = SqlServerDateText::parse(text);
    QByteArray message;
    if (!date)
        message = SqlServerDateText::conversionFailure().toUtf8();
    else if (withTime && text.contains(u':'))
        message = "not supported on the embedded database: a time of day in a text converted to "
                  "datetime";
    if (!message.isEmpty())
        return resultError(context, message);
    const QString iso = date->toString(Qt::ISODate);
    resultText(context, withTime ? iso + QStringLiteral(" 00:00:00.000") : iso);
}

void dateOnly(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    date(context, argc, argv, false);
}

void dateTime(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    date(context, argc, argv, true);
}

// tsql_sum(type, x1, op, x2, op, x3 ...): a chain of whole-number + and -, step by step as
// SQL Server adds, each step checked against the type's range, without nesting a call per step.
void sum(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const bool isInt = textOf(argv[0]) == QLatin1StringView("int");
    const qint64 low =
        isInt ? std::numeric_limits<qint32>::min() : std::numeric_limits<qint64>::min();
    const qint64 high =
        isInt ? std::numeric_limits<qint32>::max() : std::numeric_limits<qint64>::max();
    qint64 total = sqlite3_value_int64(argv[1]);
    for (int i = 2; i + 1 < argc; i += 2) {
        const qint64 term = sqlite3_value_int64(argv[i + 1]);
        const bool adding = textOf(argv[i]) == QLatin1StringView("+");
        const bool overflowed = adding ? __builtin_add_overflow(total, term, &total)
                                       : __builtin_sub_overflow(total, term, &total);
        if (overflowed || total < low || total > high) {
            const QByteArray message =
                QByteArray("Arithmetic overflow error converting expression to data type ") +
                (isInt ? "int." : "bigint.");
            return resultError(context, message);
        }
    }
    sqlite3_result_int64(context, total);
}

// tsql_datepart(part, moment): DATEPART's int.
void partOfMoment(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::optional<DatePart> part = datePart(textOf(argv[0]));
    const std::optional<QDateTime> moment = storedMoment(textOf(argv[1]));
    if (!part || !moment)
        return resultError(context, QByteArray("a date the embedded database does not store"));
    sqlite3_result_int(context, partOf(*part, *moment));
}

// tsql_dateadd(part, number, moment, withTime): DATEADD's moment, failing beyond the type's
// range as SQL Server does.
void addToMoment(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::optional<DatePart> part = datePart(textOf(argv[0]));
    const std::optional<QDateTime> moment = storedMoment(textOf(argv[2]));
    const bool withTime = sqlite3_value_int(argv[3]) != 0;
    if (!part || !moment)
        return resultError(context, QByteArray("a date the embedded database does not store"));
    const std::optional<QDateTime> result =
        added(*part, sqlite3_value_int64(argv[1]), *moment, withTime);
    if (!result)
        return resultError(context, QByteArray("Adding a value to a '") +
                                        (withTime ? "datetime" : "date") +
                                        "' column caused an overflow.");
    resultText(context, storedText(*result, withTime));
}

// tsql_datediff(part, start, end): DATEDIFF's boundaries, failing beyond int.
void momentsApart(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const std::optional<DatePart> part = datePart(textOf(argv[0]));
    const std::optional<QDateTime> start = storedMoment(textOf(argv[1]));
    const std::optional<QDateTime> end = storedMoment(textOf(argv[2]));
    if (!part || !start || !end)
        return resultError(context, QByteArray("a date the embedded database does not store"));
    const std::optional<int> n = boundaries(*part, *start, *end);
    if (!n)
        return resultError(context,
                           QByteArray("The datediff function resulted in an overflow. The number "
                                      "of dateparts separating two date/time instances is too "
                                      "large. Try to use datediff with a less precise datepart."));
    sqlite3_result_int(context, *n);
}

} // namespace

bool installRuntime(sqlite3* db)
{
    // tsql_fail is not deterministic, so the engine never evaluates it ahead of the branch
    // that reaches it.
    return installFunctions(db, {{"tsql_fail", 1, failHere, SQLITE_UTF8},
                                 {"tsql_upper", 1, upper, PureFunction},
                                 {"tsql_lower", 1, lower, PureFunction},
                                 {"tsql_replace", 3, replace, PureFunction},
                                 {"tsql_sum", -1, sum, PureFunction},
                                 {"tsql_float", 1, finite, PureFunction},
                                 {"tsql_date", 1, dateOnly, PureFunction},
                                 {"tsql_datetime", 1, dateTime, PureFunction},
                                 {"tsql_charindex", 3, charIndex, PureFunction},
                                 {"tsql_replicate", 3, replicate, PureFunction},
                                 {"tsql_stuff", 4, stuff, PureFunction},
                                 {"tsql_datepart", 2, partOfMoment, PureFunction},
                                 {"tsql_dateadd", 4, addToMoment, PureFunction},
                                 {"tsql_datediff", 3, momentsApart, PureFunction}});
}

} // namespace ado::tsql
