#pragma once

#include "HostOptions.h"

// Opens the loan or advance register of the module on the database and context given, and
// returns the host's exit status when the user closes it.
int showRegister(const HostOptions& options);
