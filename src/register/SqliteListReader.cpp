#include "db/RowStream.h"
#include "register/RegisterListReader.h"
#include "register/RegisterRowWriter.h"

namespace register_list {

void readWithSqlite(ado::Connection& connection, const QString& sql, RegisterRowWriter& writer)
{
    ado::RowStream stream(connection, sql);
    const int cols = stream.columns();
    writer.begin(cols);
    ado::RowStream::Batch batch;
    while (stream.next(batch)) {
        const ado::RowStream::Field* field = batch.fields.data();
        for (int row = 0; row < batch.rows; ++row) {
            for (int c = 0; c < cols; ++c, ++field) {
                switch (field->kind) {
                case ado::RowStream::Kind::Null:
                    writer.putNull(c);
                    break;
                case ado::RowStream::Kind::Integer:
                    writer.putInteger(c, field->integer);
                    break;
                case ado::RowStream::Kind::Number:
                    writer.putNumber(c, field->number);
                    break;
                default:
                    writer.putText(c, stream.text(batch, *field, c));
                    break;
                }
            }
            writer.endRow();
        }
    }
}

} // namespace register_list
