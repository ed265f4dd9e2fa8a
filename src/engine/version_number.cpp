#include "engine/version_number.h"

uint32_t LeadingNumber(std::string_view text) {
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10u + uint32_t(c - '0');
  }
  // Absolute value of the signed reading; 2^31 stays 2^31.
  return int32_t(value) < 0 ? 0u - value : value;
}

VersionNumber ParseVersion(std::string_view text) {
  uint64_t total = 0;
  for (int part = 0; part < 4; ++part) {
    size_t dot = text.find('.');
    total = (total << 16) + LeadingNumber(text.substr(0, dot));
    text = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  }
  return VersionNumber{uint32_t(total >> 32), uint32_t(total)};
}
