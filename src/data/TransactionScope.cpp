#include "data/TransactionScope.h"

namespace payroll {

TransactionScope::TransactionScope(ado::Connection& connection) : m_connection(connection)
{
    m_connection.BeginTrans();
}

TransactionScope::~TransactionScope()
{
    if (!m_open)
        return;
    try {
        m_connection.RollbackTrans();
    } catch (...) {
        // The failure that brought us here is the one worth reporting.
    }
}

void TransactionScope::commit()
{
    m_connection.CommitTrans();
    m_open = false;
}

} // namespace payroll
