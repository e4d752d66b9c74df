#include "platform/runtime/RuntimeError.h"

RuntimeError::RuntimeError(qint32 number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(m_description.toUtf8())
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(Overflow, QStringLiteral("Overflow"));
}

RuntimeError RuntimeError::typeMismatch()
{
    return RuntimeError(TypeMismatch, QStringLiteral("Type mismatch"));
}

RuntimeError RuntimeError::invalidUseOfNull()
{
    return RuntimeError(InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
}
