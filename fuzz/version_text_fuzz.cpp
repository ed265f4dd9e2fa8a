// Version texts: the leading-number reader against std::from_chars, the
// dotted parser against a part-by-part model, and the display text read back.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/version_number.h"
#include "versions/version_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<uint32_t> PartsOf(const VersionNumber& v) {
  return {v.high >> 16, v.high & 0xFFFFu, v.low >> 16, v.low & 0xFFFFu};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // Up to nine digits cannot wrap: the reading is the plain decimal value.
  const size_t digits = text.find_first_not_of("0123456789");
  const std::string_view number = text.substr(0, digits);
  if (number.size() <= 9) {
    uint32_t expected = 0;
    std::from_chars(number.data(), number.data() + number.size(), expected);
    Check(LeadingNumber(text) == expected);
  }
  Check(LeadingNumber(text) <= 0x80000000u);

  // Parts of at most 65535 land in their own place; missing parts are 0 and
  // whatever follows a fourth dot is ignored.
  std::vector<uint32_t> parts;
  std::string_view rest = text;
  bool more = true;
  while (more && parts.size() < 4) {
    const size_t dot = rest.find('.');
    parts.push_back(LeadingNumber(rest.substr(0, dot)));
    more = dot != std::string_view::npos;
    rest = more ? rest.substr(dot + 1) : std::string_view();
  }
  const VersionNumber parsed = ParseVersion(text);
  bool small = true;
  for (uint32_t part : parts) small = small && part <= 0xFFFFu;
  if (small) {
    parts.resize(4, 0);
    Check(PartsOf(parsed) == parts);
  }
  if (more) Check(ParseVersion(std::string(text.substr(0, text.size() - rest.size()))) == parsed);

  // The display text: digits and single dots, the first part always, then
  // the non-zero parts in order. With only trailing zero parts omitted it
  // reads back as the same version.
  const std::string shown = FormatVersion(parsed);
  Check(!shown.empty() && shown.front() != '.' && shown.back() != '.' && shown.find("..") == std::string::npos);
  Check(shown.find_first_not_of("0123456789.") == std::string::npos);
  std::vector<uint32_t> expectedShown = {PartsOf(parsed)[0]}, shownParts;
  for (int i = 1; i < 4; ++i)
    if (PartsOf(parsed)[i]) expectedShown.push_back(PartsOf(parsed)[i]);
  for (std::string_view s = shown;;) {
    const size_t dot = s.find('.');
    shownParts.push_back(LeadingNumber(s.substr(0, dot)));
    Check(s.substr(0, dot) == std::to_string(shownParts.back()));  // no leading zeros
    if (dot == std::string_view::npos) break;
    s.remove_prefix(dot + 1);
  }
  Check(shownParts == expectedShown);
  const std::vector<uint32_t> p = PartsOf(parsed);
  const bool onlyTrailingZeros = (p[1] || !(p[2] || p[3])) && (p[2] || !p[3]);
  if (onlyTrailingZeros) Check(ParseVersion(shown) == parsed);
  return 0;
}
