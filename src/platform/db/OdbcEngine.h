#pragma once

#include "db/StatementEngine.h"

#include <QSqlDatabase>

namespace ado {

// Runs statements through Qt's ODBC driver, as written: the server speaks the dialect itself.
// Values come back as the other engine gives them (whole numbers as qint64, amounts as double,
// dates as QDate).
class OdbcEngine : public StatementEngine
{
public:
    explicit OdbcEngine(QSqlDatabase db);

    QString adapt(const QString& sql) const override;
    StatementResult run(const QString& sql, const QVariantList& values) override;
    std::optional<StatementResult> describe(const QString& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    bool isReadOnly() const override;
    QStringList primaryKey(const QString& table) override;
    QString quoteName(const QString& name) const override;

private:
    QSqlDatabase m_db;
    bool m_inTransaction = false;
};

} // namespace ado
