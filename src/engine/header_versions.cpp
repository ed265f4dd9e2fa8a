#include "engine/header_versions.h"

#include "engine/little_endian.h"

bool HeaderVersionFromBytes(std::string_view firstBytes, VersionNumber& version) {
  if (firstBytes.size() < kHeaderVersionBytes) return false;
  version = VersionNumber{ReadLe32(firstBytes, 60), ReadLe32(firstBytes, 64)};
  return true;
}

bool EngineVersionFromBytes(std::string_view firstBytes, VersionNumber& version) {
  if (firstBytes.size() < kEngineVersionBytes) return false;
  uint32_t v = ReadLe32(firstBytes, 84);
  uint32_t w = ReadLe16(firstBytes, 78);
  uint32_t a = v >> 16, b = (v >> 8) & 0xFFu, c = v & 0xFFu;
  version = VersionNumber{a << 16 | b, c << 16 | w};
  return true;
}
