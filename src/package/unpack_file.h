#pragma once
#include <string>

// Expands the packed file `source` into the plain file `destination`, which is
// created or replaced and receives exactly the header's unpacked size in bytes.
// Returns 1 when the destination was written, else 0. A source that is damaged
// (short, truncated, bad references, too much output) fails before the
// destination is touched.
int UnpackFile(const std::string& source, const std::string& destination);
