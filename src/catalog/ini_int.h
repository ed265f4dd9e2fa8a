#pragma once
// The number rule of the profile integer reader.
#include <cstdint>
#include <string_view>

// Reads a number the way the profile integer reader does: control characters
// and blanks (anything up to ' ') are skipped, then one optional sign, then a
// base prefix "0x", "0o" or "0b" (small letters only) or else decimal digits,
// up to the first character that is no digit of the base. No digits read as 0;
// too many digits wrap around modulo 2^32 without notice.
std::uint32_t ParseProfileNumber(std::string_view text);
