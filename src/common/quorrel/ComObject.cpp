#include "ComObject.h"

#include "clsCommonDB.h"
#include "clsCommonGen.h"

using namespace Qt::StringLiterals;

std::unique_ptr<ComObject> CreateObject(const QString& progId)
{
    if (progId.compare(u"Quorrel.clsCommonGen", Qt::CaseInsensitive) == 0)
        return std::make_unique<clsCommonGen>();
    if (progId.compare(u"Quorrel.clsCommonDB", Qt::CaseInsensitive) == 0)
        return std::make_unique<clsCommonDB>();
    throw RuntimeError(429, u"The component %1 cannot be created."_s.arg(progId), progId);
}
