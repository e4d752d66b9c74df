#include "db/Recordset.h"
#include "register/RegisterListReader.h"
#include "register/RegisterRowWriter.h"
#include "runtime/Conversions.h"

namespace register_list {

namespace {

void putField(RegisterRowWriter& writer, int col, const QVariant& value)
{
    if (value.isNull()) {
        writer.putNull(col);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        writer.putInteger(col, value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        writer.putNumber(col, value.toDouble());
        return;
    default: {
        const QByteArray text = vb::TextOf(value).toUtf8();
        writer.putText(col, std::string_view(text.constData(), std::size_t(text.size())));
        return;
    }
    }
}

} // namespace

void readWithRecordset(ado::Connection& connection, const QString& sql, RegisterRowWriter& writer)
{
    ado::Recordset rs;
    rs.Open(sql, connection, ado::CursorType::ForwardOnly, ado::LockType::ReadOnly);
    const int cols = rs.fieldCount();
    writer.begin(cols, rs.isEOF() ? 0 : rs.RecordCount());
    for (; !rs.isEOF(); rs.MoveNext()) {
        for (int c = 0; c < cols; ++c)
            putField(writer, c, rs.value(c));
        writer.endRow();
    }
    rs.Close();
}

} // namespace register_list
