#pragma once

#include <QString>

// The files that ship with payroll-host, found from the folder the running host lies in:
// installed, the module has a folder of its own under lib and the administrator's files one
// under share, each at a fixed place relative to bin, whatever the prefix; in the build tree the
// module lies beside the host. Works before any application object exists.
namespace InstalledFiles {

// The loan issue module: the one installed with the host when it is there, else the one beside.
QString module();

// The SQL Server script: the installed copy, or the source tree's for a host in its build folder.
QString sqlServerScript();

} // namespace InstalledFiles
