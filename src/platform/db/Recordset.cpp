#include "db/Recordset.h"

#include "db/VariantKinds.h"

#include "db/EngineErrors.h"
#include "db/SingleTableSelect.h"
#include "runtime/ShortDate.h"

#include <QDate>
#include <QDateTime>
#include <QHash>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

struct Row
{
    QVariantList values;
    QVariantList original;
    // Which fields were assigned; empty until the first assignment, as most rows are only read.
    QList<bool> changed;
    bool pendingInsert = false;

    bool isChanged(int field) const { return changed.value(field, false); }
    bool hasChanges() const { return pendingInsert || changed.contains(true); }
    void markChanged(int field)
    {
        if (changed.isEmpty())
            changed.resize(values.size(), false);
        changed[field] = true;
    }
    void markWritten()
    {
        original = values;
        changed.clear();
        pendingInsert = false;
    }
};

RuntimeError notADate(const QVariant& value, const QString& field)
{
    return RuntimeError(
        RuntimeError::TypeMismatch,
        u"Type mismatch: '%1' is not a date for the field %2."_s.arg(value.toString(), field));
}

} // namespace

struct Recordset::Impl
{
    // Rows are read all at once when first needed; a set used only to add rows never reads.
    enum class Rows { Unread, Read, AddedOnly };

    Connection* connection = nullptr;
    bool open = false;
    QString sql;
    Rows state = Rows::Unread;
    LockType lock = LockType::ReadOnly;
    // The table rows are written back to; empty when the record set is read-only.
    QString table;
    QStringList names;
    QList<bool> dateColumns;
    QHash<QString, int> positions;
    QList<Row> rows;
    qsizetype position = 0;

    void requireOpen() const
    {
        if (!open)
            throw EngineErrors::closed();
    }
    void requireUpdatable() const
    {
        requireOpen();
        if (table.isEmpty())
            throw EngineErrors::notUpdatable();
    }
    void load()
    {
        requireOpen();
        if (state == Rows::Unread)
            adopt(connection->fetch(sql).rows);
    }
    void adopt(QList<QVariantList>&& read)
    {
        rows.reserve(read.size());
        for (QVariantList& values : read) {
            Row row;
            row.original = values;
            row.values = std::move(values);
            rows.append(std::move(row));
        }
        state = Rows::Read;
    }
    Row& current()
    {
        load();
        if (position >= rows.size())
            throw EngineErrors::noCurrentRecord();
        return rows[position];
    }
    int fieldIndex(const QString& name) const
    {
        requireOpen();
        const int index = positions.value(name.toCaseFolded(), -1);
        if (index < 0)
            throw EngineErrors::itemNotFound();
        return index;
    }
    void checkIndex(int index) const
    {
        requireOpen();
        if (index < 0 || index >= names.size())
            throw EngineErrors::itemNotFound();
    }

    QVariant stored(int index, const QVariant& value) const;
    // Immediate update modes write a row's changes as soon as the record set leaves it.
    void finishImmediateEdit();
    void write(Row& row);
    void insert(Row& row);
    void update(Row& row);
};

QVariant Recordset::Impl::stored(int index, const QVariant& value) const
{
    if (value.isNull())
        return QVariant();
    if (dateColumns[index]) {
        switch (value.metaType().id()) {
        case QMetaType::QDate:
            return value;
        case QMetaType::QDateTime:
            return value.toDateTime().date();
        case QMetaType::QString: {
            const QDate date = ShortDate::parse(value.toString().trimmed());
            if (!date.isValid())
                throw notADate(value, names[index]);
            return date;
        }
        default:
            throw notADate(value, names[index]);
        }
    }
    if (isWholeNumber(value))
        return QVariant::fromValue<qint64>(value.toLongLong());
    if (value.metaType().id() == QMetaType::Float)
        return value.toDouble();
    return value;
}

void Recordset::Impl::finishImmediateEdit()
{
    if (lock != LockType::BatchOptimistic && position < rows.size() && rows[position].hasChanges())
        write(rows[position]);
}

void Recordset::Impl::write(Row& row)
{
    if (row.pendingInsert)
        insert(row);
    else if (row.hasChanges())
        update(row);
}

void Recordset::Impl::insert(Row& row)
{
    QStringList columns;
    QStringList markers;
    QVariantList values;
    for (int i = 0; i < names.size(); ++i) {
        if (!row.isChanged(i))
            continue;
        columns.append(connection->quoteName(names[i]));
        markers.append(u"?"_s);
        values.append(row.values[i]);
    }
    const QString sql = columns.isEmpty()
                            ? u"insert into %1 default values"_s.arg(table)
                            : u"insert into %1 (%2) values (%3)"_s.arg(table, columns.join(u", "_s),
                                                                       markers.join(u", "_s));
    connection->runBound(sql, values);
    row.markWritten();
}

void Recordset::Impl::update(Row& row)
{
    // The row is found by its key plus the values the changed columns had when they were read,
    // so a change made meanwhile by someone else is never overwritten unseen.
    QList<int> locators;
    const QStringList key = connection->primaryKey(SingleTableSelect::bareName(table));
    for (const QString& column : key) {
        const int index = positions.value(column.toCaseFolded(), -1);
        if (index < 0) {
            locators.clear();
            break;
        }
        locators.append(index);
    }
    if (locators.isEmpty()) {
        for (int i = 0; i < names.size(); ++i)
            locators.append(i);
    }
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < names.size(); ++i) {
        if (!row.isChanged(i))
            continue;
        assignments.append(connection->quoteName(names[i]) + u" = ?"_s);
        values.append(row.values[i]);
        if (!locators.contains(i))
            locators.append(i);
    }
    QStringList conditions;
    for (int i : std::as_const(locators)) {
        const QString column = connection->quoteName(names[i]);
        if (row.original[i].isNull()) {
            conditions.append(column + u" is null"_s);
        } else {
            conditions.append(column + u" = ?"_s);
            values.append(row.original[i]);
        }
    }
    const QString sql = u"update %1 set %2 where %3"_s.arg(table, assignments.join(u", "_s),
                                                           conditions.join(u" and "_s));
    if (connection->runBound(sql, values).rowsAffected == 0)
        throw EngineErrors::rowNotLocated();
    row.markWritten();
}

Recordset::Recordset() : d(std::make_unique<Impl>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

void Recordset::Open(const QString& sql, Connection& connection, CursorType, LockType lock)
{
    Close();
    StatementResult result = connection.openColumns(sql);
    if (result.names.isEmpty())
        return; // a statement without rows leaves the record set closed
    d->connection = &connection;
    d->sql = sql;
    d->lock = lock;
    d->table = lock == LockType::ReadOnly ? QString() : SingleTableSelect::tableOf(sql);
    d->names = std::move(result.names);
    d->dateColumns = std::move(result.dateColumns);
    for (int i = int(d->names.size()) - 1; i >= 0; --i)
        d->positions.insert(d->names[i].toCaseFolded(), i);
    if (result.rowsRead)
        d->adopt(std::move(result.rows));
    d->position = 0;
    d->open = true;
}

void Recordset::Close()
{
    *d = Impl();
}

bool Recordset::isOpen() const
{
    return d->open;
}

bool Recordset::isEOF() const
{
    d->load();
    return d->position >= d->rows.size();
}

bool Recordset::isBOF() const
{
    d->load();
    return d->rows.isEmpty();
}

void Recordset::MoveNext()
{
    d->current();
    d->finishImmediateEdit();
    ++d->position;
}

void Recordset::MoveFirst()
{
    d->load();
    d->finishImmediateEdit();
    d->position = 0;
}

qint64 Recordset::RecordCount() const
{
    d->load();
    return d->rows.size();
}

int Recordset::fieldCount() const
{
    d->requireOpen();
    return int(d->names.size());
}

QString Recordset::fieldName(int index) const
{
    d->checkIndex(index);
    return d->names[index];
}

QVariant Recordset::value(int index) const
{
    d->checkIndex(index);
    return d->current().values[index];
}

QVariant Recordset::value(const QString& name) const
{
    return value(d->fieldIndex(name));
}

void Recordset::setValue(const QString& name, const QVariant& value)
{
    setValue(d->fieldIndex(name), value);
}

void Recordset::setValue(int index, const QVariant& value)
{
    d->checkIndex(index);
    d->requireUpdatable();
    Row& row = d->current();
    row.values[index] = d->stored(index, value);
    row.markChanged(index);
}

void Recordset::AddNew()
{
    d->requireUpdatable();
    if (d->state == Impl::Rows::Unread)
        d->state = Impl::Rows::AddedOnly;
    d->finishImmediateEdit();
    Row row;
    row.values = QVariantList(d->names.size());
    row.original = row.values;
    row.pendingInsert = true;
    d->rows.append(std::move(row));
    d->position = d->rows.size() - 1;
}

void Recordset::Update()
{
    d->requireUpdatable();
    Row& row = d->current();
    if (d->lock != LockType::BatchOptimistic)
        d->write(row);
}

void Recordset::UpdateBatch()
{
    d->requireUpdatable();
    for (Row& row : d->rows)
        d->write(row);
}

} // namespace ado
