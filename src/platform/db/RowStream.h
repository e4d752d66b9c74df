#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

class Connection;

// The rows of a module statement on the embedded engine, read straight from the engine in
// batches for a reader that handles millions of fields: no record set and no QVariant per
// field. The statement passes the connection's checks and adaptation like every other; the
// engine steps it on a thread of its own while the caller handles the batch before, and the
// caller leaves the connection alone until the last batch is taken. Failures raise RuntimeError.
class OSTRELPLATFORM_EXPORT RowStream
{
public:
    // A field's kind, numbered as the engine numbers them.
    enum class Kind : int { Integer = 1, Number = 2, Text = 3, Blob = 4, Null = 5 };
    // One field as the engine gave it; for a text (or blob) the bytes [begin, end) of its batch.
    struct Field
    {
        Kind kind;
        std::uint32_t begin;
        std::uint32_t end;
        qint64 integer;
        double number;
    };
    struct Batch
    {
        int rows = 0;
        std::vector<Field> fields; // rows x columns
        std::string bytes;
    };

    // Raises RuntimeError when the statement cannot run, or on a connection that is not open
    // on the embedded engine.
    RowStream(Connection& connection, const QString& sql);
    ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    int columns() const;
    // The next batch into batch (whose storage goes back for reuse); false after the last.
    // Raises RuntimeError when the engine stopped before the last row.
    bool next(Batch& batch);
    // A text field of a batch: in a column declared DATE that holds a date, that date in the
    // system's short date form (each distinct date converted once); otherwise as stored.
    std::string_view text(const Batch& batch, const Field& field, int column)
    {
        const std::string_view stored(batch.bytes.data() + field.begin, field.end - field.begin);
        return m_dateColumns[std::size_t(column)] ? dateText(stored) : stored;
    }

private:
    std::string_view dateText(std::string_view stored);

    struct State;
    std::unique_ptr<State> d;
    // Here rather than in State: text() reads it for every field, inline.
    std::vector<bool> m_dateColumns;
};

} // namespace ado
