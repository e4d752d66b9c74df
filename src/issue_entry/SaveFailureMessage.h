#pragma once

#include <QString>

class RuntimeError;

// What the clerk is told when a save fails: the failure's own description, and where another
// clerk's work stood in the way (a clash on a unique key, a database kept busy), a plain
// explanation before it that nothing was saved and the entries are kept for another try.
QString saveFailureMessage(const RuntimeError& error);

// Whether the failure is another user's lock that was waited for in vain.
bool keptBusy(const RuntimeError& error);
