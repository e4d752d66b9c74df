#pragma once

#include "quorrel_export.h"

#include "runtime/RuntimeError.h"

#include <QString>
#include <memory>

// The host's shared library hands out its classes by name, as the module's windows ask for them
// ("Quorrel.clsCommonGen", "Quorrel.clsCommonDB").
class QUORREL_EXPORT ComObject
{
public:
    virtual ~ComObject() = default;
};

// Creates the class registered under progId. An unknown name raises RuntimeError 429
// ("The component ... cannot be created.").
QUORREL_EXPORT std::unique_ptr<ComObject> CreateObject(const QString& progId);

// CreateObject, typed for the caller; a class of another type raises Type mismatch.
template <class T> std::unique_ptr<T> CreateObjectAs(const QString& progId)
{
    std::unique_ptr<ComObject> object = CreateObject(progId);
    if (auto* typed = dynamic_cast<T*>(object.get())) {
        object.release();
        return std::unique_ptr<T>(typed);
    }
    throw RuntimeError::typeMismatch();
}
