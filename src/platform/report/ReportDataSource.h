#pragma once

#include "ostrelplatform_export.h"

#include "db/Connection.h"

#include <QString>
#include <memory>

namespace rpt {

// The connection a report reads through. With the embedded database the report opens its own
// connection on the host's database file and needs no configuration (an in-memory database,
// which no second connection can see, is read through the host's connection). When the host
// works through ODBC, the log-on's data source name is the ODBC data source the report opens,
// with the log-on's user and password; the data source's own setting chooses the database
// (the log-on's database only names it in messages).
class OSTRELPLATFORM_EXPORT ReportDataSource
{
public:
    explicit ReportDataSource(ado::Connection& host);
    ~ReportDataSource();

    // The log-on as the register hands it over. The driver file belongs to the old platform's
    // drivers and is not needed here; it is kept only so the call keeps its shape.
    void logOn(const QString& driverFile, const QString& dataSource, const QString& database,
               const QString& userId, const QString& password);

    // Opens the connection on first use. Raises RuntimeError (LogOn) when it cannot.
    ado::Connection& connection();

    // The text with the password taken out: no message, however a driver words it, shows it.
    QString withoutPassword(const QString& text) const;

private:
    ado::Connection& m_host;
    QString m_dataSource;
    QString m_database;
    QString m_userId;
    QString m_password;
    std::unique_ptr<ado::Connection> m_own;
    ado::Connection* m_open = nullptr;
};

} // namespace rpt
