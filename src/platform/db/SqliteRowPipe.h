#pragma once

#include "db/RowStream.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// Steps a prepared statement on a thread of its own and hands its rows over in batches, copied
// out of the engine, so that the caller formats one batch while the engine reads the next: on
// two cores the register fills in about the time the engine takes to read its list. The caller
// leaves the connection alone until the last batch is taken. Destroying the pipe stops the
// stepping and waits for it.
class SqliteRowPipe
{
public:
    SqliteRowPipe(sqlite3* db, sqlite3_stmt* statement, int cols);
    ~SqliteRowPipe();
    SqliteRowPipe(const SqliteRowPipe&) = delete;
    SqliteRowPipe& operator=(const SqliteRowPipe&) = delete;

    // The next batch into batch (whose storage goes back for reuse); false after the last.
    bool next(RowStream::Batch& batch);
    // After the last batch: the engine's result code (SQLITE_DONE when every row was read) and
    // its message.
    int resultCode() const { return m_resultCode; }
    const std::string& message() const { return m_message; }

private:
    void step();
    bool hand(RowStream::Batch& batch);

    sqlite3* m_db;
    sqlite3_stmt* m_statement;
    int m_cols;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<RowStream::Batch> m_ready;
    std::vector<RowStream::Batch> m_spare;
    bool m_finished = false;
    bool m_stopped = false;
    int m_resultCode = 0;
    std::string m_message;
    std::thread m_stepper;
};

} // namespace ado
