#pragma once
// Whole-file reading and safe writing for pkgtool's verbs. Errors come back as
// a one-line reason for the user.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads the whole file; false with `error` set when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& content, std::string& error);

// Feeds the file to `consume` in pieces of bounded size.
bool ReadInPieces(const std::string& path,
                  const std::function<void(const unsigned char*, size_t)>& consume, std::string& error);

// Writes `content` under a temporary name beside `path` and renames it over
// `path` only when every byte is on disk, so a failure never leaves a
// half-written file under the final name.
bool WriteFileSafely(const std::string& path, const std::vector<unsigned char>& content, std::string& error);
