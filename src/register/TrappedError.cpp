#include "register/TrappedError.h"

#include "runtime/RuntimeError.h"

using namespace Qt::StringLiterals;

QString numberAndDescription(const RuntimeError& error)
{
    const QString number = QString::number(error.number());
    return (error.number() >= 0 ? u" "_s + number : number) + error.description();
}
