#pragma once

namespace BasLoan {

// Reads linktable for the twelve logical tables and stores each physical name, as stored, in
// its variable. Later rows win; a logical name without a row keeps its earlier value.
void ResolveTableNames();

} // namespace BasLoan
