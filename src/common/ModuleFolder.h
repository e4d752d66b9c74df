#pragma once

#include <QString>

// The folder the module's code was loaded from (the loadable module's, or the program's when
// the code is linked into it), as the platform gives it; files that ship beside the module are
// looked up there, wherever the host runs from.
QString ModuleFolder();
