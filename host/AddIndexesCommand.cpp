#include "AddIndexesCommand.h"

#include "HostDatabase.h"
#include "InstalledFiles.h"
#include "PayrollSchema.h"
#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace AddIndexesCommand {

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    if (!HostDatabase::namesFile(options.database)) {
        err << u"--add-indexes works on an embedded database file. On the company's SQL Server "
               "the site administrator runs the index statements of %1 (see the README)."_s.arg(
                   InstalledFiles::sqlServerScript())
            << Qt::endl;
        return 2;
    }
    try {
        ado::ConnectionPtr connection = HostDatabase::openExisting(options.database);
        const QStringList added = payroll::addMissingIndexes(*connection);
        connection->Close();
        for (const QString& index : added)
            out << u"added %1"_s.arg(index) << Qt::endl;
        if (added.isEmpty())
            out << u"every index is present"_s << Qt::endl;
        return 0;
    } catch (const RuntimeError& error) {
        err << u"--add-indexes failed: %1"_s.arg(error.description()) << Qt::endl;
        return 1;
    }
}

} // namespace AddIndexesCommand
