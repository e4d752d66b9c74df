#include "DatabaseSetup.h"

#include "DemoData.h"
#include "HostDatabase.h"
#include "PayrollSchema.h"
#include "runtime/LocalPath.h"
#include "runtime/RuntimeError.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace DatabaseSetup {

namespace {

void removeDatabaseFiles(const QString& path)
{
    for (const QString& suffix : {QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s})
        LocalPath::remove(path + suffix);
}

int build(const HostOptions& options, QTextStream& err, const QString& what,
          const std::function<void(ado::Connection&)>& create)
{
    const bool createsFile =
        HostDatabase::namesFile(options.database) && !LocalPath::exists(options.database);
    try {
        ado::ConnectionPtr connection = HostDatabase::openForCreation(options.database);
        if (payroll::hasTables(*connection)) {
            err << u"The database %1 already has tables; %2 only creates a new "
                   "database. Nothing was changed.\n"_s.arg(options.database, what);
            return 1;
        }
        create(*connection);
        connection->Close();
        return 0;
    } catch (const RuntimeError& error) {
        err << u"%1 failed: %2\n"_s.arg(what, error.description());
        if (createsFile)
            removeDatabaseFiles(options.database);
        return 1;
    }
}

} // namespace

int initDatabase(const HostOptions& options, QTextStream& err)
{
    return build(options, err, u"--init-db"_s, payroll::createSchema);
}

int createDemo(const HostOptions& options, QTextStream& err)
{
    return build(options, err, u"--demo"_s, [&](ado::Connection& connection) {
        payroll::createDemoDatabase(connection, options.processDate);
    });
}

} // namespace DatabaseSetup
