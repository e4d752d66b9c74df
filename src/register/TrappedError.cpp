#include "register/TrappedError.h"

#include "platform/runtime/RuntimeError.h"

QString numberAndDescription(const RuntimeError& error)
{
    const QString number = QString::number(error.number());
    return (error.number() >= 0 ? QStringLiteral(" ") + number : number) + error.description();
}
