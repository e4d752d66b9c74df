#pragma once

#include <QString>

class RuntimeError;

// The prompt of a handler that traps an error and shows its number and description: the
// number as text, with a leading blank when it is not negative, then the description.
QString numberAndDescription(const RuntimeError& error);
