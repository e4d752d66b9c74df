#include "ShowRegister.h"

#include <QTextStream>

int showRegister(const HostOptions&)
{
    QTextStream(stderr) << "The module is not available in this build.\n";
    return 2;
}
