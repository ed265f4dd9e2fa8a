#include "versions/version_format.h"

#include <array>

namespace {

std::array<uint32_t, 4> Parts(const VersionNumber& version) {
  return {version.high >> 16, version.high & 0xFFFFu, version.low >> 16, version.low & 0xFFFFu};
}

}  // namespace

std::string FormatVersion(const VersionNumber& version) {
  const std::array<uint32_t, 4> parts = Parts(version);
  std::string text = std::to_string(parts[0]);
  for (int i = 1; i < 4; ++i)
    if (parts[i] != 0) text += "." + std::to_string(parts[i]);
  return text;
}

std::string FullVersionText(const VersionNumber& version) {
  const std::array<uint32_t, 4> parts = Parts(version);
  std::string text = std::to_string(parts[0]);
  for (int i = 1; i < 4; ++i) text += "." + std::to_string(parts[i]);
  return text;
}
