#pragma once
// Version numbers a.b.c.d held as two 32-bit halves: high = a * 65536 + b,
// low = c * 65536 + d.
#include <cstdint>
#include <string_view>

struct VersionNumber {
  uint32_t high = 0;
  uint32_t low = 0;

  bool IsZero() const { return high == 0 && low == 0; }
  friend bool operator==(const VersionNumber&, const VersionNumber&) = default;
};

// The number formed by the leading decimal digits of the text (0 when it
// begins with anything else), accumulated in 32 bits with wrap-around and
// taken as the absolute value of that signed 32-bit result.
uint32_t LeadingNumber(std::string_view text);

// Dotted text to a version: at most four parts, missing parts 0, text after a
// fourth dot ignored. Each part is its LeadingNumber; the parts are combined
// as total = total * 65536 + part in 64 bits, so a part above 65535 spills
// into the part before it ("1.65536" is 2.0).
VersionNumber ParseVersion(std::string_view text);
