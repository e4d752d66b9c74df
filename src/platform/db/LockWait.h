#pragma once

#include "ostrelplatform_export.h"

namespace ado {

// What the user is shown while a statement waits for another user's lock. The embedded engine
// reports each moment of its wait; over ODBC the wait cannot be seen from here, so each statement
// is announced, before it is sent, as one that may wait.
class OSTRELPLATFORM_EXPORT LockWaitObserver
{
public:
    virtual ~LockWaitObserver() = default;
    // Before an ODBC statement is sent.
    virtual void mayWait() = 0;
    // While the embedded engine waits, every few milliseconds: how long it has waited so far.
    virtual void waiting(int elapsedMs) = 0;
    // The statement that may have waited has finished, done or failed.
    virtual void waitEnded() = 0;
};

// The observer in use; nullptr (the default, as in the command-line tools) shows nothing. The
// caller keeps ownership.
OSTRELPLATFORM_EXPORT void setLockWaitObserver(LockWaitObserver* observer);
OSTRELPLATFORM_EXPORT LockWaitObserver* lockWaitObserver();

} // namespace ado
