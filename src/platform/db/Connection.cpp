#include "db/Connection.h"
#include "db/ConnectionTestSeam.h"

#include "db/EngineErrors.h"
#include "db/OdbcEngine.h"
#include "db/SqliteEngine.h"
#include "db/SqliteFileTarget.h"

#include <QCoreApplication>
#include <QSqlError>

using namespace Qt::StringLiterals;

namespace ado {

namespace {

const QLatin1StringView odbcPrefix("odbc:");
const QLatin1StringView inMemory(":memory:");

} // namespace

struct Connection::Impl
{
    QString name;
    QString connectionString;
    // Only for ODBC, and held only while open: a connection that lives in a module-wide variable
    // outlasts Qt's SQL registry at exit and must not touch it then.
    std::optional<QSqlDatabase> db;
    std::unique_ptr<StatementEngine> engine;
    // The engine when it is the embedded one.
    SqliteEngine* sqlite = nullptr;
    StatementHook hook;
    int sent = 0;
    int failAt = 0;
    int failNumber = 0;

    QString hooked(const QString& sql) const { return hook ? hook(sql) : sql; }

    void release()
    {
        sqlite = nullptr;
        engine.reset();
        if (!db)
            return;
        db->close();
        db.reset();
        QSqlDatabase::removeDatabase(name);
    }
};

Connection::Connection() : d(std::make_unique<Impl>())
{
    // Each ODBC connection has its own named Qt connection, so several can be open at once.
    d->name = u"ostrel-db-%1"_s.arg(quintptr(d.get()), 0, 16);
}

Connection::~Connection()
{
    if (d->db && !QCoreApplication::instance()) {
        // The process is ending and Qt's SQL registry may be gone: let go without closing.
        static_cast<void>(new QSqlDatabase(*d->db));
        return;
    }
    Close();
}

namespace {

// Qt's ODBC driver puts "DSN=" before any text that names no driver or server, so a connection
// string that starts with its own "DSN=" would reach the driver manager as "DSN=DSN=...".
QString odbcDatabaseName(const QString& target)
{
    const QLatin1StringView dsn("DSN=");
    const bool namesDriverOrServer = target.contains("DRIVER="_L1, Qt::CaseInsensitive) ||
                                     target.contains("SERVER="_L1, Qt::CaseInsensitive);
    if (!namesDriverOrServer && target.startsWith(dsn, Qt::CaseInsensitive))
        return target.mid(dsn.size());
    return target;
}

// What a connection string reaches, for messages: its server, else its data source; never its
// password.
QString odbcTargetName(const QString& target)
{
    QString server;
    QString port;
    QString dataSource;
    for (const QString& part : target.split(u';', Qt::SkipEmptyParts)) {
        const QString key = part.section(u'=', 0, 0).trimmed().toLower();
        const QString value = part.section(u'=', 1).trimmed();
        if (key == u"server" || key == u"servername")
            server = value;
        else if (key == u"port")
            port = value;
        else if (key == u"dsn")
            dataSource = value;
    }
    if (!target.contains(u'='))
        dataSource = target.trimmed();
    if (!server.isEmpty())
        return u"the server %1"_s.arg(port.isEmpty() ? server : server + u',' + port);
    if (!dataSource.isEmpty())
        return u"the data source %1"_s.arg(dataSource);
    return u"the database its connection string names"_s;
}

} // namespace

void Connection::Open(const QString& connectionString)
{
    if (isOpen())
        throw EngineErrors::alreadyOpen();
    const bool odbc = connectionString.startsWith(odbcPrefix, Qt::CaseInsensitive);
    const QString target = odbc ? connectionString.mid(odbcPrefix.size()) : connectionString;
    if (target.trimmed().isEmpty()) {
        throw RuntimeError(RuntimeError::DatabaseFailure,
                           u"The connection string names no database."_s);
    }
    if (odbc)
        openOdbc(target);
    else
        openSqlite(target);
    d->connectionString = connectionString;
}

void Connection::openSqlite(const QString& target)
{
    const SqliteFileTarget file = SqliteFileTarget::forPath(target);
    if (!file.refusal.isEmpty())
        throw RuntimeError(RuntimeError::DatabaseFailure, file.refusal);
    auto engine = std::make_unique<SqliteEngine>(file, target == inMemory);
    d->sqlite = engine.get();
    d->engine = std::move(engine);
}

void Connection::openOdbc(const QString& target)
{
    d->db = QSqlDatabase::addDatabase(u"QODBC"_s, d->name);
    d->db->setDatabaseName(odbcDatabaseName(target));
    if (!d->db->open()) {
        const RuntimeError failure = EngineErrors::fromDriver(d->db->lastError());
        d->release();
        throw RuntimeError(failure.number(), u"Could not connect through ODBC to %1: %2"_s.arg(
                                                 odbcTargetName(target), failure.description()));
    }
    d->engine = std::make_unique<OdbcEngine>(*d->db);
}

void Connection::Close()
{
    if (isOpen())
        d->release();
}

bool Connection::isOpen() const
{
    return d->engine != nullptr;
}

QString Connection::connectionString() const
{
    return d->connectionString;
}

bool Connection::isSqlite() const
{
    return d->sqlite != nullptr;
}

bool Connection::isReadOnly() const
{
    return isOpen() && d->engine->isReadOnly();
}

QVariant Connection::ExecuteScalar(const QString& sql)
{
    const StatementResult result = run(sql);
    return result.rows.isEmpty() || result.rows.front().isEmpty() ? QVariant()
                                                                  : result.rows.front().front();
}

qint64 Connection::Execute(const QString& sql)
{
    return run(sql).rowsAffected;
}

void Connection::BeginTrans()
{
    checkInjectedFault();
    d->engine->begin();
}

void Connection::CommitTrans()
{
    checkInjectedFault();
    d->engine->commit();
}

void Connection::RollbackTrans()
{
    checkInjectedFault();
    d->engine->rollback();
}

bool Connection::inTransaction() const
{
    return isOpen() && d->engine->inTransaction();
}

QString Connection::adapt(const QString& sql) const
{
    return isOpen() ? d->engine->adapt(d->hooked(sql)) : sql;
}

sqlite3* Connection::sqliteHandle() const
{
    return d->sqlite ? d->sqlite->handle() : nullptr;
}

// The test seams reach into the state kept here.
void ConnectionTestSeam::setStatementHook(Connection& connection, Connection::StatementHook hook)
{
    connection.d->hook = std::move(hook);
}

void ConnectionTestSeam::failStatementAt(Connection& connection, int n)
{
    connection.d->failAt = n > 0 ? connection.d->sent + n : 0;
    connection.d->failNumber = n;
}

int ConnectionTestSeam::statementsSent(const Connection& connection)
{
    return connection.d->sent;
}

sqlite3* ConnectionTestSeam::sqliteHandle(const Connection& connection)
{
    return connection.sqliteHandle();
}

void Connection::checkInjectedFault()
{
    if (!isOpen())
        throw EngineErrors::closed();
    ++d->sent;
    if (d->failAt > 0 && d->sent == d->failAt) {
        d->failAt = 0;
        throw EngineErrors::injected(d->failNumber);
    }
}

StatementResult Connection::run(const QString& sql)
{
    checkInjectedFault();
    return d->engine->run(d->engine->adapt(d->hooked(sql)), {});
}

StatementResult Connection::openColumns(const QString& sql)
{
    checkInjectedFault();
    const QString adapted = d->engine->adapt(d->hooked(sql));
    if (std::optional<StatementResult> described = d->engine->describe(adapted))
        return *std::move(described);
    return d->engine->run(adapted, {});
}

StatementResult Connection::fetch(const QString& sql)
{
    if (!isOpen())
        throw EngineErrors::closed();
    return d->engine->run(d->engine->adapt(d->hooked(sql)), {});
}

StatementResult Connection::runBound(const QString& sql, const QVariantList& values)
{
    checkInjectedFault();
    return d->engine->run(d->hooked(sql), values);
}

QStringList Connection::primaryKey(const QString& table) const
{
    if (!isOpen())
        throw EngineErrors::closed();
    return d->engine->primaryKey(table);
}

QString Connection::quoteName(const QString& name) const
{
    if (!isOpen())
        throw EngineErrors::closed();
    return d->engine->quoteName(name);
}

} // namespace ado
