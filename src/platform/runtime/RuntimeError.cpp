#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

RuntimeError::RuntimeError(qint32 number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(m_description.toUtf8())
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(Overflow, u"Overflow"_s);
}

RuntimeError RuntimeError::typeMismatch()
{
    return RuntimeError(TypeMismatch, u"Type mismatch"_s);
}

RuntimeError RuntimeError::invalidUseOfNull()
{
    return RuntimeError(InvalidUseOfNull, u"Invalid use of Null"_s);
}
