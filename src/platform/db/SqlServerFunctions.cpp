#include "db/SqlServerFunctions.h"
#include "db/SqliteFunctionSupport.h"

#include "db/SqlServerLike.h"

#include <QDateTime>
#include <QString>
#include <cmath>
#include <limits>
#include <optional>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

QString withoutBlanks(QString text, bool leading)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    qsizetype begin = 0;
    while (leading && begin < end && text[begin] == u' ')
        ++begin;
    return text.mid(begin, end - begin);
}

// The length argument of right, left and substring; SQL Server refuses a negative one.
bool lengthArgument(sqlite3_context* context, sqlite3_value* value, const char* function,
                    qint64* length)
{
    *length = sqlite3_value_int64(value);
    if (*length >= 0)
        return true;
    resultError(context, u"Invalid length parameter passed to the %1 function."_s.arg(
                             QLatin1StringView(function)));
    return false;
}

void len(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    sqlite3_result_int64(context, withoutBlanks(textOf(argv[0]), false).size());
}

void right(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    qint64 length;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (lengthArgument(context, argv[1], "right", &length))
        resultText(context, textOf(argv[0]).right(length));
}

void left(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    qint64 length;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (lengthArgument(context, argv[1], "left", &length))
        resultText(context, textOf(argv[0]).left(length));
}

// Positions start to start + length - 1, counted from 1; those outside the text are skipped.
void substring(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    qint64 length;
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (!lengthArgument(context, argv[2], "substring", &length))
        return;
    const QString text = textOf(argv[0]);
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 first = std::max<qint64>(start, 1);
    const qint64 end = std::min<qint64>(start + length, text.size() + 1);
    resultText(context, end > first ? text.mid(first - 1, end - first) : QString());
}

void getdate(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss.zzz"_s));
}

struct WholeType
{
    QLatin1StringView name;
    qint64 min;
    qint64 max;
};

const WholeType* wholeType(const QString& base)
{
    static const WholeType types[] = {
        {"tinyint"_L1, 0, 255},
        {"smallint"_L1, -32768, 32767},
        {"int"_L1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()},
        {"integer"_L1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()},
        {"bigint"_L1, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()}};
    for (const auto& type : types) {
        if (base == type.name)
            return &type;
    }
    return nullptr;
}

// A text as SQL Server converts it to a whole number type: blanks around are allowed, then an
// optional sign and digits only; an empty text (or a bare sign) is 0. Fails the context and
// gives nothing when the text is no such number.
std::optional<qint64> wholeOfText(sqlite3_context* context, const WholeType& type,
                                  sqlite3_value* value)
{
    const QString original = textOf(value);
    const QString text = withoutBlanks(original, true);
    qsizetype i = text.startsWith(u'+') || text.startsWith(u'-') ? 1 : 0;
    const bool negative = text.startsWith(u'-');
    qint64 magnitude = 0;
    bool tooLarge = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') {
            resultError(context, u"Conversion failed when converting the varchar value "
                                 "'%1' to data type %2."_s.arg(original, type.name));
            return std::nullopt;
        }
        tooLarge = tooLarge || magnitude > (std::numeric_limits<qint64>::max() - 9) / 10;
        if (!tooLarge)
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    const qint64 n = negative ? -magnitude : magnitude;
    if (tooLarge || n < type.min || n > type.max) {
        resultError(context,
                    u"The conversion of the varchar value '%1' overflowed an %2 column."_s.arg(
                        original, type.name));
        return std::nullopt;
    }
    return n;
}

void convertToWhole(sqlite3_context* context, const WholeType& type, sqlite3_value* value)
{
    const QString overflow =
        u"Arithmetic overflow error converting expression to data type %1."_s.arg(type.name);
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: {
        const qint64 n = sqlite3_value_int64(value);
        if (n < type.min || n > type.max)
            return resultError(context, overflow);
        return sqlite3_result_int64(context, n);
    }
    case SQLITE_FLOAT: {
        // Towards zero, as SQL Server converts a float.
        const double d = std::trunc(sqlite3_value_double(value));
        if (!(d >= double(type.min) && d <= double(type.max)))
            return resultError(context, overflow);
        return sqlite3_result_int64(context, qint64(d));
    }
    default:
        break;
    }
    if (const std::optional<qint64> n = wholeOfText(context, type, value))
        sqlite3_result_int64(context, *n);
}

// A text as SQL Server converts it to float or real (`approximate`) or to numeric. Fails the
// context and gives nothing when the text is no number.
std::optional<double> realOfText(sqlite3_context* context, bool approximate, sqlite3_value* value)
{
    const QString text = withoutBlanks(textOf(value), true);
    if (text.isEmpty() && approximate)
        return 0.0;
    bool ok = false;
    const double d = text.toDouble(&ok);
    // 'inf' and 'nan' are no numbers to SQL Server.
    if (ok && std::isfinite(d))
        return d;
    resultError(context, u"Error converting data type varchar to %1."_s.arg(
                             approximate ? u"float"_s : u"numeric"_s));
    return std::nullopt;
}

void convertToReal(sqlite3_context* context, const QString& base, sqlite3_value* value)
{
    if (sqlite3_value_type(value) != SQLITE_TEXT && sqlite3_value_type(value) != SQLITE_BLOB)
        return sqlite3_result_double(context, sqlite3_value_double(value));
    if (const std::optional<double> d =
            realOfText(context, base == u"float" || base == u"real", value))
        sqlite3_result_double(context, *d);
}

// varchar(n) keeps n characters; without a length SQL Server keeps 30.
void convertToText(sqlite3_context* context, const QString& type, sqlite3_value* value)
{
    QString text = sqlite3_value_type(value) == SQLITE_FLOAT
                       ? QString::number(sqlite3_value_double(value), 'g', 15)
                       : textOf(value);
    const qsizetype open = type.indexOf(u'(');
    const QString size = open < 0 ? QString() : type.mid(open + 1).chopped(1).trimmed();
    if (size.compare(u"max", Qt::CaseInsensitive) != 0) {
        bool ok = false;
        const qsizetype length = size.toLongLong(&ok);
        text.truncate(ok ? length : 30);
    }
    resultText(context, text);
}

void convert(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const QString type = textOf(argv[0]).toLower();
    const QString base = type.section(u'(', 0, 0).trimmed();
    static const QLatin1StringView texts[] = {"char"_L1,     "varchar"_L1, "nchar"_L1,
                                              "nvarchar"_L1, "text"_L1,    "ntext"_L1};
    static const QLatin1StringView reals[] = {"float"_L1,   "real"_L1,  "decimal"_L1,
                                              "numeric"_L1, "money"_L1, "smallmoney"_L1};
    if (const WholeType* whole = wholeType(base))
        return convertToWhole(context, *whole, argv[1]);
    for (const auto& name : reals) {
        if (base == name)
            return convertToReal(context, base, argv[1]);
    }
    for (const auto& name : texts) {
        if (base == name)
            return convertToText(context, type, argv[1]);
    }
    resultError(context, u"Conversion to data type %1 is not available on the embedded "
                         "database."_s.arg(type));
}

bool isText(sqlite3_value* value)
{
    return sqlite3_value_type(value) == SQLITE_TEXT || sqlite3_value_type(value) == SQLITE_BLOB;
}

// A whole number of SQL Server's type: int while it fits, else bigint.
const WholeType& wholeTypeOf(qint64 n)
{
    return *wholeType(n >= std::numeric_limits<qint32>::min() &&
                              n <= std::numeric_limits<qint32>::max()
                          ? u"int"_s
                          : u"bigint"_s);
}

// The type two whole numbers combine into: int when both are ints, else bigint.
const WholeType& wholeTypeOf(qint64 a, qint64 b)
{
    return &wholeTypeOf(a) == &wholeTypeOf(b) ? wholeTypeOf(a) : *wholeType(u"bigint"_s);
}

void overflow(sqlite3_context* context, const WholeType& type)
{
    resultError(context, u"Arithmetic overflow error converting expression to data type %1."_s.arg(
                             type.name));
}

// The two operands of an arithmetic operator as numbers of one type: a text met by a number is
// converted to that number's type, as SQL Server converts it. Fails the context and gives
// nothing when the text is no such number.
struct Numbers
{
    bool real = false;
    double x = 0;
    double y = 0;
    qint64 a = 0;
    qint64 b = 0;
};

std::optional<Numbers> numbersOf(sqlite3_context* context, sqlite3_value* left,
                                 sqlite3_value* right)
{
    Numbers n;
    n.real = sqlite3_value_type(left) == SQLITE_FLOAT || sqlite3_value_type(right) == SQLITE_FLOAT;
    const qint64 number = sqlite3_value_int64(isText(left) ? right : left);
    double* reals[] = {&n.x, &n.y};
    qint64* wholes[] = {&n.a, &n.b};
    int i = 0;
    for (sqlite3_value* operand : {left, right}) {
        if (n.real) {
            const std::optional<double> d = isText(operand) ? realOfText(context, false, operand)
                                                            : sqlite3_value_double(operand);
            if (!d)
                return std::nullopt;
            *reals[i++] = *d;
        } else {
            const std::optional<qint64> w = isText(operand)
                                                ? wholeOfText(context, wholeTypeOf(number), operand)
                                                : sqlite3_value_int64(operand);
            if (!w)
                return std::nullopt;
            *wholes[i++] = *w;
        }
    }
    return n;
}

// a + b with SQL Server's types: two texts join; a text met by a number is converted to the
// number's type first; Null on either side gives Null.
void add(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    if (isText(argv[0]) && isText(argv[1]))
        return resultText(context, textOf(argv[0]) + textOf(argv[1]));
    const std::optional<Numbers> n = numbersOf(context, argv[0], argv[1]);
    if (!n)
        return;
    if (n->real)
        return sqlite3_result_double(context, n->x + n->y);
    const WholeType& type = wholeTypeOf(n->a, n->b);
    qint64 sum;
    if (__builtin_add_overflow(n->a, n->b, &sum) || sum < type.min || sum > type.max)
        return overflow(context, type);
    sqlite3_result_int64(context, sum);
}

// a / b and a % b: SQLite gives Null for a zero divisor and takes texts as 0; SQL Server fails
// both. Whole numbers divide towards zero; a remainder has the dividend's sign.
void divide(sqlite3_context* context, sqlite3_value** argv, bool remainder)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(context);
    if (isText(argv[0]) && isText(argv[1])) {
        return resultError(context, u"Operand data type varchar is invalid for %1 operator."_s.arg(
                                        remainder ? u"modulo"_s : u"divide"_s));
    }
    const std::optional<Numbers> n = numbersOf(context, argv[0], argv[1]);
    if (!n)
        return;
    if (n->real ? n->y == 0 : n->b == 0)
        return resultError(context, u"Divide by zero error encountered."_s);
    if (n->real)
        return sqlite3_result_double(context, remainder ? std::fmod(n->x, n->y) : n->x / n->y);
    const WholeType& type = wholeTypeOf(n->a, n->b);
    if (n->b == -1 && n->a == type.min)
        return remainder ? sqlite3_result_int64(context, 0) : overflow(context, type);
    sqlite3_result_int64(context, remainder ? n->a % n->b : n->a / n->b);
}

void quotient(sqlite3_context* context, int, sqlite3_value** argv)
{
    divide(context, argv, false);
}

void modulo(sqlite3_context* context, int, sqlite3_value** argv)
{
    divide(context, argv, true);
}

void like(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    QChar escape;
    if (argc == 3) {
        const QString escapeText = textOf(argv[2]);
        if (escapeText.size() != 1)
            return resultError(context, u"ESCAPE expression must be a single character"_s);
        escape = escapeText[0];
    }
    // like(pattern, text) is how SQLite calls "text LIKE pattern".
    sqlite3_result_int(context, SqlServerLike::matches(textOf(argv[1]), textOf(argv[0]), escape));
}

} // namespace

bool SqlServerFunctions::install(sqlite3* db)
{
    return installFunctions(db, {{"sqlserver_len", 1, len, PureFunction},
                                 {"sqlserver_right", 2, right, PureFunction},
                                 {"sqlserver_left", 2, left, PureFunction},
                                 {"sqlserver_substring", 3, substring, PureFunction},
                                 {"sqlserver_getdate", 0, getdate, SQLITE_UTF8},
                                 {"sqlserver_convert", 2, convert, PureFunction},
                                 {"sqlserver_convert", 3, convert, PureFunction},
                                 {"sqlserver_add", 2, add, PureFunction},
                                 {"sqlserver_divide", 2, quotient, PureFunction},
                                 {"sqlserver_modulo", 2, modulo, PureFunction},
                                 {"like", 2, like, PureFunction},
                                 {"like", 3, like, PureFunction}});
}

} // namespace ado
