#include "versions/version_format.h"

std::string FormatVersion(const VersionNumber& version) {
  const uint32_t parts[4] = {version.high >> 16, version.high & 0xFFFFu, version.low >> 16, version.low & 0xFFFFu};
  std::string text = std::to_string(parts[0]);
  for (int i = 1; i < 4; ++i)
    if (parts[i] != 0) text += "." + std::to_string(parts[i]);
  return text;
}
