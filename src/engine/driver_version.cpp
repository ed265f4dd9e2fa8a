#include "engine/driver_version.h"

#include <cstdint>
#include <string>

#include "engine/little_endian.h"
#include "engine/version_number.h"

namespace {

constexpr std::string_view kKey = "FILEVERSION";

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// True when the NUL-terminated text at `at` is the key in any case. The end
// of the resource ends the text as a NUL would.
bool KeyAt(std::string_view resource, size_t at) {
  if (resource.size() - at < kKey.size()) return false;
  for (size_t i = 0; i < kKey.size(); ++i)
    if (Upper(resource[at + i]) != kKey[i]) return false;
  size_t end = at + kKey.size();
  return end == resource.size() || resource[end] == '\0';
}

// The installed value: from 11 characters after the key, past NUL bytes, up
// to the next NUL or the end of the resource. Empty when there is none.
std::string_view InstalledValue(std::string_view resource) {
  for (size_t at = 0; at < resource.size(); ++at) {
    if (!KeyAt(resource, at)) continue;
    size_t start = at + kKey.size();
    while (start < resource.size() && resource[start] == '\0') ++start;
    std::string_view value = resource.substr(start);
    return value.substr(0, value.find('\0'));
  }
  return {};
}

// Moves past the installed value's current part: to after the next comma,
// then past blanks and commas. False when no comma follows.
bool NextInstalledPart(std::string_view& installed) {
  size_t comma = installed.find(',');
  if (comma == std::string_view::npos) return false;
  installed.remove_prefix(comma + 1);
  while (!installed.empty() && (installed.front() == ' ' || installed.front() == ',')) installed.remove_prefix(1);
  return true;
}

// The version resource of the driver in `file`; false when there is none.
bool ReadDriverResource(ByteSource& file, std::string& resource) {
  std::string mz = file.ReadAt(0, 64);
  if (mz.size() < 64 || mz[0] != 'M' || mz[1] != 'Z') return false;
  std::string le = file.ReadAt(ReadLe32(mz, 60), 196);
  if (le.size() < 196 || le[0] != 'L' || le[1] != 'E') return false;
  uint32_t offset = ReadLe32(le, 184);
  uint32_t length = ReadLe32(le, 188);
  if (length > kMaxDriverResource) return false;
  resource = file.ReadAt(offset, length);
  return resource.size() == length;
}

}  // namespace

int CompareDriverResourceVersion(std::string_view resource, std::string_view versionText) {
  std::string_view installed = InstalledValue(resource);
  if (installed.empty()) return 0;
  std::string_view text = versionText;
  for (;;) {
    uint32_t have = LeadingNumber(installed);
    uint32_t want = LeadingNumber(text);
    if (have < want) return -1;
    if (have > want) return 1;
    size_t dot = text.find('.');
    if (dot == std::string_view::npos || !NextInstalledPart(installed)) return 0;
    text.remove_prefix(dot + 1);
  }
}

int CompareDriverVersion(ByteSource& file, std::string_view versionText) {
  std::string resource;
  if (!ReadDriverResource(file, resource)) return 0;
  return CompareDriverResourceVersion(resource, versionText);
}

std::string DriverVersionText(ByteSource& file) {
  std::string resource;
  if (!ReadDriverResource(file, resource)) return {};
  std::string_view installed = InstalledValue(resource);
  if (installed.empty()) return {};
  std::string text = std::to_string(LeadingNumber(installed));
  while (NextInstalledPart(installed)) text += "." + std::to_string(LeadingNumber(installed));
  return text;
}
