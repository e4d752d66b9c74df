#pragma once

#include "ostrelplatform_export.h"

namespace ado {

class Connection;

// A transaction on the connection for the length of a scope. Leaving the scope without commit(),
// by an exception or an early return, rolls it back; the rollback is quiet, because the failure
// that brought us there is the one worth reporting. Declare it inside the block whose handler
// shows the failure, so the write lock is released before any message box waits for a clerk.
class OSTRELPLATFORM_EXPORT Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& m_connection;
    bool m_committed = false;
};

} // namespace ado
