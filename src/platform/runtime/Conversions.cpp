#include "runtime/Conversions.h"

#include "runtime/RuntimeError.h"
#include "runtime/ShortDate.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace vb {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Parses "[sign]digits[.digits][e[sign]digits]" from the compacted text; returns the consumed part.
QString leadingNumber(const QString& s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'-' || s[i] == u'+'))
        ++i;
    const qsizetype mantissaStart = i;
    bool point = false;
    qsizetype digits = 0;
    while (i < n && (isDigit(s[i]) || (!point && s[i] == u'.'))) {
        if (s[i] == u'.')
            point = true;
        else
            ++digits;
        ++i;
    }
    if (digits == 0)
        return QString();
    qsizetype end = i;
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'-' || s[j] == u'+'))
            ++j;
        if (j < n && isDigit(s[j])) {
            while (j < n && isDigit(s[j]))
                ++j;
            end = j;
        }
    }
    QString number = s.left(end);
    // The exponent letter D is the double-precision form of E.
    for (qsizetype k = mantissaStart; k < number.size(); ++k) {
        if (number[k] == u'd' || number[k] == u'D')
            number[k] = u'e';
    }
    return number;
}

} // namespace

double Val(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            compact.append(c);
    }
    const QString number = leadingNumber(compact);
    if (number.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

QString Trim(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin).toString();
}

bool IsNumeric(QStringView text)
{
    const QString t = Trim(text);
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    while (i < n && (isDigit(t[i]) || t[i] == u',')) {
        if (t[i] != u',')
            ++digits;
        ++i;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++digits;
            ++i;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'-' || t[i] == u'+'))
            ++i;
        if (i == n || !isDigit(t[i]))
            return false;
        while (i < n && isDigit(t[i]))
            ++i;
    }
    return i == n;
}

double NumericValue(QStringView text)
{
    QString t = Trim(text);
    t.remove(u',');
    return t.toDouble();
}

double RoundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode sends halves to the even neighbour
}

namespace {

double numberFrom(const QVariant& value)
{
    if (value.isNull())
        throw RuntimeError::invalidUseOfNull();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        const QString text = value.toString();
        if (!IsNumeric(text))
            throw RuntimeError::typeMismatch();
        return NumericValue(text);
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        throw RuntimeError::typeMismatch();
    default: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            throw RuntimeError::typeMismatch();
        return d;
    }
    }
}

template <typename Int> Int wholeNumberFrom(const QVariant& value)
{
    const double rounded = RoundHalfEven(numberFrom(value));
    if (!(rounded >= double(std::numeric_limits<Int>::min()) &&
          rounded <= double(std::numeric_limits<Int>::max())))
        throw RuntimeError::overflow();
    return static_cast<Int>(rounded);
}

} // namespace

qint16 CInt(const QVariant& value)
{
    return wholeNumberFrom<qint16>(value);
}

qint32 CLng(const QVariant& value)
{
    return wholeNumberFrom<qint32>(value);
}

double CDbl(const QVariant& value)
{
    return numberFrom(value);
}

bool FlagSet(const QVariant& value)
{
    return !value.isNull() && CBool(value);
}

bool CBool(const QVariant& value)
{
    if (value.isNull())
        throw RuntimeError::invalidUseOfNull();
    if (value.typeId() == QMetaType::QString) {
        const QString t = Trim(value.toString());
        if (t.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
    }
    return numberFrom(value) != 0.0;
}

QString NumberToText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return u"0"_s;
    QString text = QString::number(value, 'g', 15);
    text.replace(u'e', u'E');
    return text;
}

QString NumberToFullText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return u"0"_s;
    // The fifteen significant digits of the plain conversion, placed without an exponent.
    const QString scientific = QString::number(std::abs(value), 'e', 14); // d.ddd...e+XX
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.first(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.sliced(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString text;
    if (exponent < 0)
        text = u"0."_s + QString(-exponent - 1, u'0') + digits;
    else if (digits.size() <= exponent + 1)
        text = digits + QString(exponent + 1 - digits.size(), u'0');
    else
        text = digits.first(exponent + 1) + u'.' + digits.sliced(exponent + 1);
    return value < 0 ? u'-' + text : text;
}

QString CStr(const QVariant& value)
{
    if (value.isNull())
        throw RuntimeError::invalidUseOfNull();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? u"True"_s : u"False"_s;
    case QMetaType::Double:
    case QMetaType::Float:
        return NumberToText(value.toDouble());
    case QMetaType::QDate:
        return ShortDate::format(value.toDate());
    case QMetaType::QDateTime:
        return ShortDate::format(value.toDateTime().date());
    default:
        return value.toString();
    }
}

QString TextOf(const QVariant& value)
{
    return value.isNull() ? QString() : CStr(value);
}

std::string RoundedDigits(double value, int decimals)
{
    if (value == 0)
        return "0";
    // "d.dddddddddddddde+xx": the fifteen significant digits of the plain text.
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14)
            .ptr;
    const char* const e = std::find(static_cast<const char*>(text), end, 'e');
    int exponent = 0;
    std::from_chars(e + 2, end, exponent);
    if (e[1] == '-')
        exponent = -exponent;
    std::string digits(1, text[0]);
    digits.append(text + 2, std::size_t(e - (text + 2)));
    // The last digit kept stands for 10^-decimals; the one after it decides, once.
    const int last = exponent + decimals;
    if (last < 0)
        return last == -1 && digits[0] >= '5' ? "1" : "0";
    if (last >= int(digits.size())) {
        digits.append(std::size_t(last) + 1 - digits.size(), '0');
        return digits;
    }
    const bool up = digits[std::size_t(last) + 1] >= '5';
    digits.resize(std::size_t(last) + 1);
    if (up) {
        int i = last;
        for (; i >= 0 && digits[std::size_t(i)] == '9'; --i)
            digits[std::size_t(i)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[std::size_t(i)];
    }
    return digits;
}

QString Format(double value, QStringView pattern)
{
    if (!std::isfinite(value))
        return QString();
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView integerPart = point < 0 ? pattern : pattern.first(point);
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const bool grouped = integerPart.contains(u',');
    const int minIntegerDigits = int(integerPart.count(u'0'));

    const std::string scaled = RoundedDigits(value, decimals);
    const bool zero = scaled == "0";
    QString digits = QString::fromLatin1(scaled.data(), qsizetype(scaled.size()));
    if (digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    QString whole = digits.first(digits.size() - decimals);
    const QString fraction = digits.sliced(digits.size() - decimals);
    if (whole == u"0" && minIntegerDigits == 0)
        whole.clear();
    while (whole.size() < minIntegerDigits)
        whole.prepend(u'0');
    if (grouped) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    }
    QString result = whole;
    if (decimals > 0)
        result += u'.' + fraction;
    if (value < 0 && !zero)
        result.prepend(u'-');
    return result;
}

} // namespace vb
