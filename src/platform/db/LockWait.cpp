#include "db/LockWait.h"

namespace ado {

namespace {
LockWaitObserver* current = nullptr;
}

void setLockWaitObserver(LockWaitObserver* observer)
{
    current = observer;
}

LockWaitObserver* lockWaitObserver()
{
    return current;
}

} // namespace ado
