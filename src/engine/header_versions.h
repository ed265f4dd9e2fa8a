#pragma once
// Versions stored as plain fields near the start of a file.
#include <cstddef>
#include <string_view>

#include "engine/version_number.h"

// Bytes a file must have for each reader.
constexpr size_t kHeaderVersionBytes = 148;
constexpr size_t kEngineVersionBytes = 368;

// Product header: the high half is the 32-bit value at offset 60, the low
// half the one at 64. False when fewer than kHeaderVersionBytes are given.
bool HeaderVersionFromBytes(std::string_view firstBytes, VersionNumber& version);

// Virus-database header: v = 32-bit value at 84, w = 16-bit value at 78; the
// parts are a = bits 16-31 of v, b = bits 8-15, c = bits 0-7, d = w. False
// when fewer than kEngineVersionBytes are given.
bool EngineVersionFromBytes(std::string_view firstBytes, VersionNumber& version);
