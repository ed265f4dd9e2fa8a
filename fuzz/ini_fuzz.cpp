// Parses arbitrary bytes as an INI file and asks it for every section with
// keys taken from the input. Every answer must fit its buffer, end on a whole
// character and be the start of the same answer from a larger buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalog/ini_file.h"
#include "catalog/ini_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const IniFile ini(bytes);
  // Keys to ask for: pieces of the input between line breaks and '='.
  std::string_view keys[4] = {"", "k", bytes.substr(0, 8), bytes.substr(size / 2, 5)};
  for (const std::string& section : ini.AllSectionNames()) {
    Check(!section.empty());
    for (std::string_view key : keys) {
      const std::string whole = ini.ReadString(section, key, "default", 1 << 20);
      for (std::size_t buffer : {0, 1, 2, 3, 7, 64}) {
        const std::string cut = ini.ReadString(section, key, "default", buffer);
        Check(buffer == 0 ? cut.empty() : cut.size() < buffer);
        Check(whole.compare(0, cut.size(), cut) == 0);
        Check(ini_text::FitPrefix(cut, cut.size()) == cut.size());
      }
      ini.ReadInt(section, key, -1);
    }
  }
  for (std::size_t buffer : {0, 1, 2, 5, 64, 10240}) Check(ini.SectionNames(buffer).size() == buffer);
  return 0;
}
