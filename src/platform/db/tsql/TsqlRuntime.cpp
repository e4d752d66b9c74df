#include "db/tsql/TsqlRuntime.h"
#include "db/SqliteFunctionText.h"

#include "db/SqlServerDateText.h"

#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace ado::tsql {

namespace {

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

// Letter by letter, as SQL Server changes case: 'ß' stays one letter.
QString eachCharacter(QString text, QChar (QChar::*change)() const noexcept)
{
    for (QChar& c : text)
        c = (c.*change)();
    return text;
}

void failHere(sqlite3_context* context, int, sqlite3_value** argv)
{
    const QByteArray message = textOf(argv[0]).toUtf8();
    sqlite3_result_error(context, message.constData(), int(message.size()));
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

// tsql_float(x): a float result that left the type's range fails, where the engine would go on
// with an infinity.
void finite(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const double d = sqlite3_value_double(argv[0]);
    if (std::isfinite(d))
        return sqlite3_result_double(context, d);
    static const char message[] =
        "Arithmetic overflow error converting expression to data type float.";
    sqlite3_result_error(context, message, int(sizeof message - 1));
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
        return sqlite3_result_error(context, message.constData(), int(message.size()));
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
            return sqlite3_result_error(context, message.constData(), int(message.size()));
        }
    }
    sqlite3_result_int64(context, total);
}

} // namespace

bool installRuntime(sqlite3* db)
{
    struct Function
    {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
        int flags;
    };
    // tsql_fail is not deterministic, so the engine never evaluates it ahead of the branch
    // that reaches it.
    const int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const Function functions[] = {{"tsql_fail", 1, failHere, SQLITE_UTF8},
                                  {"tsql_upper", 1, upper, pure},
                                  {"tsql_lower", 1, lower, pure},
                                  {"tsql_replace", 3, replace, pure},
                                  {"tsql_sum", -1, sum, pure},
                                  {"tsql_float", 1, finite, pure},
                                  {"tsql_date", 1, dateOnly, pure},
                                  {"tsql_datetime", 1, dateTime, pure}};
    for (const Function& f : functions) {
        if (sqlite3_create_function(db, f.name, f.arguments, f.flags, nullptr, f.call, nullptr,
                                    nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

} // namespace ado::tsql
