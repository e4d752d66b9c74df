#pragma once

#include "runtime/RuntimeError.h"

#include <QString>
#include <functional>

// The number of the RuntimeError the call raises (0 when it raises none), and its description.
inline qint32 errorNumberOf(const std::function<void()>& call, QString* description = nullptr)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

// The description of the RuntimeError the step raises.
inline QString failureOf(const std::function<void()>& step)
{
    QString description = QStringLiteral("(no failure)");
    errorNumberOf(step, &description);
    return description;
}
