#include "report/ReportDataSource.h"

#include "report/ReportErrors.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace rpt {

namespace {

bool isInMemory(const QString& connectionString)
{
    return connectionString.isEmpty() || connectionString == u":memory:" ||
           connectionString.startsWith(u"file::memory:") ||
           connectionString.contains(u"mode=memory");
}

// A value of an ODBC connection string, in braces when it holds characters that would end it.
QString odbcValue(const QString& value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') &&
        value.trimmed() == value)
        return value;
    return u'{' + QString(value).replace(u'}', u"}}"_s) + u'}';
}

} // namespace

ReportDataSource::ReportDataSource(ado::Connection& host) : m_host(host) {}

ReportDataSource::~ReportDataSource() = default;

void ReportDataSource::logOn(const QString&, const QString& dataSource, const QString& database,
                             const QString& userId, const QString& password)
{
    m_dataSource = dataSource;
    m_database = database;
    m_userId = userId;
    m_password = password;
    m_own.reset();
    m_open = nullptr;
}

QString ReportDataSource::withoutPassword(const QString& text) const
{
    if (m_password.isEmpty())
        return text;
    return QString(text).replace(m_password, u"********"_s, Qt::CaseInsensitive);
}

ado::Connection& ReportDataSource::connection()
{
    if (m_open)
        return *m_open;
    if (!m_host.isOpen())
        throw RuntimeError(errors::LogOn, u"The report has no data source: the "
                                          "database connection is not open."_s);
    QString target;
    if (m_host.isSqlite()) {
        if (isInMemory(m_host.connectionString()))
            return *(m_open = &m_host);
        target = m_host.connectionString();
    } else {
        if (m_dataSource.isEmpty())
            return *(m_open = &m_host);
        // Qt's ODBC driver puts "DSN=" before a connection string that names no driver or
        // server itself, so the string starts with the data source's name.
        target = u"odbc:%1;UID=%2;PWD=%3"_s.arg(odbcValue(m_dataSource), odbcValue(m_userId),
                                                odbcValue(m_password));
    }
    auto own = std::make_unique<ado::Connection>();
    try {
        own->Open(target);
    } catch (const RuntimeError& e) {
        const QString where =
            m_host.isSqlite()
                ? u"the payroll database"_s
                : u"the data source \"%1\" (database %2)"_s.arg(m_dataSource, m_database);
        throw RuntimeError(errors::LogOn,
                           withoutPassword(u"The report could not log on to %1: %2"_s.arg(
                               where, e.description())));
    }
    m_own = std::move(own);
    return *(m_open = m_own.get());
}

} // namespace rpt
