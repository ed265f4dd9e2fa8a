#pragma once
// Names for the copies a commit makes: a path followed by a decimal number.
#include <string>

// `base` followed by the smallest number from 0 upwards (no leading zeros)
// under which no file exists: ZMT9X.EXE0, else ZMT9X.EXE1, ... False when the
// name would not fit the 260-byte path buffer or every number up to
// 2^31 - 1 is taken.
bool FirstFreeNumberedPath(const std::string& base, std::string& path);
