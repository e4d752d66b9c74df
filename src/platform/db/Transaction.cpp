#include "db/Transaction.h"

#include "db/Connection.h"

namespace ado {

Transaction::Transaction(Connection& connection) : m_connection(connection)
{
    m_connection.BeginTrans();
}

Transaction::~Transaction()
{
    if (m_committed)
        return;
    try {
        // The engine may already have undone it along with the statement that failed.
        if (m_connection.inTransaction())
            m_connection.RollbackTrans();
    } catch (...) {
    }
}

void Transaction::commit()
{
    m_connection.CommitTrans();
    m_committed = true;
}

} // namespace ado
