#pragma once

namespace plk {

// Temporary files that a terminating signal must remove. The table has a fixed number of
// entries so that the signal handler needs no allocation or lock; when it is full a file
// is simply not registered (it is still removed on every normal path).

// Returns the entry to pass to UnregisterTemporaryFile, or -1.
int RegisterTemporaryFile(const char* path);
void UnregisterTemporaryFile(int entry);

// Removes every registered file now. Safe in a signal handler (for a handler that ends the
// process itself).
void RemoveRegisteredTemporaryFiles();

}  // namespace plk
