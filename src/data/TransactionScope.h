#pragma once

#include "platform/db/Connection.h"

namespace payroll {

// A transaction on the connection for the length of a scope: it is rolled back when the scope
// is left without commit(), by an exception or an early return.
class TransactionScope
{
public:
    explicit TransactionScope(ado::Connection& connection);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

    void commit();

private:
    ado::Connection& m_connection;
    bool m_open = true;
};

} // namespace payroll
