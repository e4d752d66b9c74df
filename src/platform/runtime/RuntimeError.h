#pragma once

#include "ostrelplatform_export.h"

#include <QString>
#include <exception>

// An error as the module's handlers see it: a number, a description and where it came from.
// Database failures, conversion failures and the module's own raised errors all travel as this.
class OSTRELPLATFORM_EXPORT RuntimeError : public std::exception
{
public:
    // Numbers the module tests for or raises.
    static constexpr qint32 Overflow = 6;
    static constexpr qint32 TypeMismatch = 13;
    static constexpr qint32 InvalidUseOfNull = 94;
    static constexpr qint32 IntegrityViolation = qint32(0x80040E2F);
    static constexpr qint32 RowNotLocated = qint32(0x80040E38);
    static constexpr qint32 ItemNotFound = qint32(0x800A0CC1);
    static constexpr qint32 OperationNotAllowed = qint32(0x800A0E78);
    static constexpr qint32 DatabaseFailure = qint32(0x80004005);

    RuntimeError(qint32 number, QString description, QString source = QString());

    qint32 number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

    static RuntimeError overflow();
    static RuntimeError typeMismatch();
    static RuntimeError invalidUseOfNull();

private:
    qint32 m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
