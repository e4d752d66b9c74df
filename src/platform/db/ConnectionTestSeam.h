#pragma once

#include "db/Connection.h"

namespace ado {

// Seams into a connection for tests and fault drills only; the module never calls them.
class OSTRELPLATFORM_EXPORT ConnectionTestSeam
{
public:
    // Every statement text passes through the hook on its way to the engine (record sets' reads
    // and adapt() included) and the engine gets what the hook returns. nullptr removes it.
    static void setStatementHook(Connection& connection, Connection::StatementHook hook);

    // The n-th statement from now (1-based, counting every statement sent to the engine,
    // transaction control included) fails. 0 switches it off.
    static void failStatementAt(Connection& connection, int n);
    static int statementsSent(const Connection& connection);

    // The embedded engine's handle, for a test that watches or interrupts the engine itself.
    static sqlite3* sqliteHandle(const Connection& connection);
};

} // namespace ado
