// Versions read from the first bytes of a product file and of a virus
// database. Too few bytes give no version; bytes past the fields never
// matter; the database version's middle parts stay bytes and its display
// text reads back as its parts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/header_versions.h"
#include "versions/version_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The same reader over the bytes cut at `required`, and with bytes appended.
template <typename Reader>
void CheckReader(Reader read, std::string_view bytes, size_t required) {
  VersionNumber whole{0xDEAD, 0xBEEF};
  const bool ok = read(bytes, whole);
  Check(ok == (bytes.size() >= required));
  if (!ok) {
    Check(whole == (VersionNumber{0xDEAD, 0xBEEF}));  // left as it was
    return;
  }
  VersionNumber cut, longer;
  Check(read(bytes.substr(0, required), cut) && cut == whole);
  Check(read(std::string(bytes) + std::string(64, '\xFF'), longer) && longer == whole);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckReader(HeaderVersionFromBytes, bytes, kHeaderVersionBytes);
  CheckReader(EngineVersionFromBytes, bytes, kEngineVersionBytes);

  VersionNumber engine;
  if (EngineVersionFromBytes(bytes, engine)) {
    Check((engine.high & 0xFF00u) == 0 && (engine.low >> 16) <= 0xFFu);
    // Unchanged by the bytes that hold neither field.
    std::string other(bytes);
    for (size_t i = 0; i < other.size(); ++i)
      if (i < 78 || (i >= 80 && i < 84) || i >= 88) other[i] = char(~other[i]);
    VersionNumber same;
    Check(EngineVersionFromBytes(other, same) && same == engine);
  }
  VersionNumber header;
  if (HeaderVersionFromBytes(bytes, header)) {
    std::string other(bytes);
    for (size_t i = 0; i < other.size(); ++i)
      if (i < 60 || i >= 68) other[i] = char(~other[i]);
    VersionNumber same;
    Check(HeaderVersionFromBytes(other, same) && same == header);
    Check(!FormatVersion(header).empty());
  }
  return 0;
}
