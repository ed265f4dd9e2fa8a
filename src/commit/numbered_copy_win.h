#pragma once
// Copying a file's bytes to a new file the way CopyFileA does: an existing
// destination is replaced, the copy gets the source's attributes and
// last-write time. The bytes go through one 64 KiB buffer of our own: under
// Wine, CopyFileA moves the same bytes at a little over half the speed of a
// plain read and write loop (docs/performance.md), and the commit copies
// every new file once.
#include <string>

// True when every byte arrived. A destination left by a failure is the
// caller's to delete.
bool CopyWholeFile(const std::string& source, const std::string& destination);
