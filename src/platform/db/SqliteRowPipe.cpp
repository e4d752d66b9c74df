#include "db/SqliteRowPipe.h"

#include <sqlite3.h>

namespace ado {

namespace {

// Rows a batch holds, and batches under way at once: enough to keep both cores busy, little
// enough to add no memory worth speaking of.
constexpr int BatchRows = 2048;
constexpr std::size_t BatchesAhead = 4;

static_assert(int(RowStream::Kind::Integer) == SQLITE_INTEGER &&
              int(RowStream::Kind::Number) == SQLITE_FLOAT &&
              int(RowStream::Kind::Text) == SQLITE_TEXT &&
              int(RowStream::Kind::Blob) == SQLITE_BLOB &&
              int(RowStream::Kind::Null) == SQLITE_NULL);

} // namespace

SqliteRowPipe::SqliteRowPipe(sqlite3* db, sqlite3_stmt* statement, int cols)
    : m_db(db), m_statement(statement), m_cols(cols), m_stepper([this] { step(); })
{
}

SqliteRowPipe::~SqliteRowPipe()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
    m_stepper.join();
}

bool SqliteRowPipe::next(RowStream::Batch& batch)
{
    std::unique_lock lock(m_mutex);
    if (batch.fields.capacity() > 0)
        m_spare.push_back(std::move(batch));
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished; });
    if (m_ready.empty())
        return false;
    batch = std::move(m_ready.front());
    m_ready.pop_front();
    m_changed.notify_all();
    return true;
}

// Hands a full batch over and gives back an empty one; false when the reader has stopped.
bool SqliteRowPipe::hand(RowStream::Batch& batch)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ready.size() < BatchesAhead || m_stopped; });
    if (m_stopped)
        return false;
    m_ready.push_back(std::move(batch));
    batch = RowStream::Batch();
    if (!m_spare.empty()) {
        batch = std::move(m_spare.back());
        m_spare.pop_back();
    }
    batch.rows = 0;
    batch.fields.clear();
    batch.bytes.clear();
    m_changed.notify_all();
    return true;
}

void SqliteRowPipe::step()
{
    RowStream::Batch batch;
    int stepped;
    while ((stepped = sqlite3_step(m_statement)) == SQLITE_ROW) {
        for (int c = 0; c < m_cols; ++c) {
            RowStream::Field field{RowStream::Kind(sqlite3_column_type(m_statement, c)), 0, 0, 0,
                                   0};
            switch (field.kind) {
            case RowStream::Kind::Null:
                break;
            case RowStream::Kind::Integer:
                field.integer = sqlite3_column_int64(m_statement, c);
                break;
            case RowStream::Kind::Number:
                field.number = sqlite3_column_double(m_statement, c);
                break;
            default: {
                const auto* text =
                    reinterpret_cast<const char*>(sqlite3_column_text(m_statement, c));
                field.begin = std::uint32_t(batch.bytes.size());
                if (text)
                    batch.bytes.append(text, std::size_t(sqlite3_column_bytes(m_statement, c)));
                field.end = std::uint32_t(batch.bytes.size());
                break;
            }
            }
            batch.fields.push_back(field);
        }
        if (++batch.rows == BatchRows && !hand(batch))
            return;
    }
    const std::lock_guard lock(m_mutex);
    if (batch.rows > 0)
        m_ready.push_back(std::move(batch));
    m_resultCode = stepped;
    if (stepped != SQLITE_DONE)
        m_message = sqlite3_errmsg(m_db);
    m_finished = true;
    m_changed.notify_all();
}

} // namespace ado
