#include "db/ShortDateTexts.h"

#include "runtime/ShortDate.h"

#include <QDate>
#include <QString>

namespace ado {

namespace {

// yyyymmdd for the usual "yyyy-mm-dd..." text; nothing for any other shape.
std::optional<quint32> isoKey(std::string_view stored)
{
    if (stored.size() < 10 || stored[4] != '-' || stored[7] != '-')
        return std::nullopt;
    quint32 key = 0;
    for (const std::size_t at : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (stored[at] < '0' || stored[at] > '9')
            return std::nullopt;
        key = key * 10 + quint32(stored[at] - '0');
    }
    return key;
}

// The date read from the first ten characters, as the database objects read it.
std::optional<std::string_view> convert(std::string_view stored, std::string& text)
{
    const QString value = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
    const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    text = ShortDate::format(date).toStdString();
    return std::string_view(text);
}

std::optional<std::string> convertOnce(std::string_view stored)
{
    std::string text;
    if (!convert(stored, text))
        return std::nullopt;
    return text;
}

} // namespace

std::optional<std::string_view> ShortDateTexts::textOf(std::string_view stored)
{
    const std::optional<quint32> key = isoKey(stored);
    if (!key)
        return convert(stored, m_scratch);
    auto known = m_known.find(*key);
    if (known == m_known.end())
        known = m_known.emplace(*key, convertOnce(stored)).first;
    if (!known->second)
        return std::nullopt;
    return std::string_view(*known->second);
}

} // namespace ado
