#include "db/Connection.h"
#include "db/EngineErrors.h"
#include "register/RegisterListReader.h"
#include "register/RegisterRowWriter.h"
#include "register/SqliteRowPipe.h"
#include "runtime/ShortDate.h"

#include <QDate>

#include <memory>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <unordered_map>

namespace register_list {

namespace {

struct Finalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// Failures carry the numbers the database objects give: an integrity violation for a
// constraint, otherwise the general failure, with the engine's message.
[[noreturn]] void raise(sqlite3* db, int resultCode)
{
    throw ado::EngineErrors::fromSqlite(resultCode, QString::fromUtf8(sqlite3_errmsg(db)));
}

// Whether a column is declared DATE, as the database objects decide it.
bool isDateColumn(sqlite3_stmt* statement, int col)
{
    const char* declared = sqlite3_column_decltype(statement, col);
    return declared && QByteArray(declared).trimmed().compare("date", Qt::CaseInsensitive) == 0;
}

// Stored dates (ISO text) in the short date form. A register has a few thousand distinct
// dates over many rows, so each is converted once.
class DateTexts
{
public:
    // The short date for a stored value that holds a date, nothing for one that does not.
    std::optional<std::string_view> textOf(std::string_view stored)
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

private:
    // yyyymmdd for the usual "yyyy-mm-dd..." text; nothing for any other shape.
    static std::optional<quint32> isoKey(std::string_view stored)
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

    static std::optional<std::string> convertOnce(std::string_view stored)
    {
        std::string text;
        if (!convert(stored, text))
            return std::nullopt;
        return text;
    }

    // The date read from the first ten characters, as the database objects read it.
    static std::optional<std::string_view> convert(std::string_view stored, std::string& text)
    {
        const QString value = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
        const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        text = ShortDate::format(date).toStdString();
        return std::string_view(text);
    }

    std::unordered_map<quint32, std::optional<std::string>> m_known;
    std::string m_scratch;
};

} // namespace

void readWithSqlite(ado::Connection& connection, const QString& sql, RegisterRowWriter& writer)
{
    connection.checkInjectedFault();
    sqlite3* db = connection.sqliteHandle();
    const QByteArray statementText = connection.adapt(sql).toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int prepared =
        sqlite3_prepare_v2(db, statementText.constData(), int(statementText.size()), &raw, nullptr);
    if (prepared != SQLITE_OK)
        raise(db, prepared);
    const std::unique_ptr<sqlite3_stmt, Finalizer> statement(raw);

    const int cols = raw ? sqlite3_column_count(raw) : 0;
    std::vector<bool> dateColumns(std::size_t(cols), false);
    for (int c = 0; c < cols; ++c)
        dateColumns[c] = isDateColumn(raw, c);
    writer.begin(cols);
    if (!raw)
        return; // a statement of blanks or comments gives no rows

    DateTexts dates;
    SqliteRowPipe pipe(db, raw, cols);
    SqliteRowPipe::Batch batch;
    while (pipe.next(batch)) {
        const SqliteRowPipe::Field* field = batch.fields.data();
        for (int row = 0; row < batch.rows; ++row) {
            for (int c = 0; c < cols; ++c, ++field) {
                switch (field->type) {
                case SQLITE_NULL:
                    writer.putNull(c);
                    break;
                case SQLITE_INTEGER:
                    writer.putInteger(c, field->integer);
                    break;
                case SQLITE_FLOAT:
                    writer.putNumber(c, field->number);
                    break;
                default: {
                    const std::string_view stored = batch.text(*field);
                    const std::optional<std::string_view> date =
                        dateColumns[c] ? dates.textOf(stored) : std::nullopt;
                    writer.putText(c, date ? *date : stored);
                    break;
                }
                }
            }
            writer.endRow();
        }
    }
    if (pipe.resultCode() != SQLITE_DONE)
        throw ado::EngineErrors::fromSqlite(pipe.resultCode(),
                                            QString::fromStdString(pipe.message()));
}

} // namespace register_list
