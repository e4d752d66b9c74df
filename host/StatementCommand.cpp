#include "StatementCommand.h"

#include "HostDatabase.h"
#include "PayrollSchemaText.h"
#include "db/SqlBatch.h"
#include "db/StatementClassifier.h"
#include "db/Transaction.h"
#include "db/tsql/AdminStatements.h"
#include "runtime/RuntimeError.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace StatementCommand {

namespace {

// A statement that yields columns prints them and its rows, whatever comes before its first
// keyword; anything else prints how many rows it changed.
void print(const ado::StatementResult& result, QTextStream& out)
{
    if (result.names.isEmpty()) {
        out << u"%1 row(s) affected\n"_s.arg(result.rowsAffected);
        return;
    }
    out << result.names.join(QLatin1Char('\t')) << '\n';
    for (const QVariantList& row : result.rows) {
        QStringList line;
        for (const QVariant& value : row)
            line << ado::AdminStatements::fieldText(value);
        out << line.join(QLatin1Char('\t')) << '\n';
    }
}

// The statement as a message names it: its place in the batch and its opening words.
QString statementName(qsizetype index, const QStringList& statements)
{
    constexpr qsizetype Shown = 60;
    QString text = statements[index].simplified();
    if (text.size() > Shown)
        text = text.left(Shown) + u"..."_s;
    if (statements.size() == 1)
        return u"The statement \"%1\""_s.arg(text);
    return u"Statement %1 of %2 (\"%3\")"_s.arg(index + 1).arg(statements.size()).arg(text);
}

} // namespace

int run(const HostOptions& options, QTextStream& out, QTextStream& err)
{
    const QStringList statements = ado::splitBatch(options.statement);
    if (statements.isEmpty()) {
        err << u"--sql holds no statement, only blanks and comments.\n"_s;
        return 2;
    }
    // Refused before connecting, so that nothing of the batch runs.
    bool readsOnly = true;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const ado::StatementClass kind = ado::classifyStatement(statements[i]);
        if (kind.kind == ado::StatementClass::Kind::Refused) {
            err << u"%1 refused: --sql runs its statements in one transaction of its own and "
                   "works on the database's rows only, so it takes no %2 (transaction control, "
                   "attached files, vacuum or engine settings). Nothing was run.\n"_s.arg(
                       statementName(i, statements), kind.keyword);
            return 2;
        }
        readsOnly = readsOnly && kind.kind == ado::StatementClass::Kind::Read;
    }
    ado::ConnectionPtr connection;
    try {
        connection =
            HostDatabase::openExisting(options.database, readsOnly ? HostDatabase::Access::Read
                                                                   : HostDatabase::Access::Change);
    } catch (const RuntimeError& error) {
        err << error.description() << '\n';
        return 1;
    }
    // One transaction for a batch that changes rows, as SQL Server runs a batch under XACT_ABORT:
    // all statements take effect or none. A batch that only reads takes no write lock, so it
    // never waits for a clerk's save. Results are printed only once the batch has committed, so
    // nothing reports a change that was then undone.
    QString printed;
    QTextStream results(&printed);
    std::optional<ado::Transaction> transaction;
    try {
        if (!readsOnly)
            transaction.emplace(*connection);
    } catch (const RuntimeError& error) {
        err << u"The batch could not begin its transaction: %1\nNothing was run.\n"_s.arg(
            error.description());
        return 1;
    }
    qsizetype current = 0;
    try {
        // On the embedded database each statement keeps SQL Server's meaning or is refused.
        ado::AdminStatements admin(*connection, QString::fromUtf8(payroll::sqlServerSchemaText));
        for (; current < statements.size(); ++current) {
            if (current > 0)
                results << '\n';
            print(admin.run(statements[current]), results);
        }
        if (transaction)
            transaction->commit();
    } catch (const RuntimeError& error) {
        if (current < statements.size())
            err << u"%1 failed: %2\n"_s.arg(statementName(current, statements),
                                            error.description());
        else
            err << u"The batch could not be committed: %1\n"_s.arg(error.description());
        transaction.reset();
        if (connection->inTransaction()) {
            connection->Close();
            err << u"Its rollback failed too; the connection was closed without a commit, "
                   "which leaves the batch undone.\n"_s;
        } else if (readsOnly)
            err << u"The batch only reads: nothing was changed.\n"_s;
        else
            err << u"The batch was rolled back: none of its statements changed anything.\n"_s;
        return 1;
    }
    results.flush();
    out << printed;
    return 0;
}

} // namespace StatementCommand
