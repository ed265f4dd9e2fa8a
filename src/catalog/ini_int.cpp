#include "catalog/ini_int.h"

namespace {

int DigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::uint32_t ParseProfileNumber(std::string_view text) {
  std::size_t pos = 0;
  // Double-byte characters and the single bytes 0x80 and 0xFF are well above
  // ' ' as characters, so comparing bytes is enough here.
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  unsigned base = 10;
  if (text.size() - pos >= 2 && text[pos] == '0') {
    const char mark = text[pos + 1];
    base = mark == 'x' ? 16 : mark == 'o' ? 8 : mark == 'b' ? 2 : 10;
    if (base != 10) pos += 2;
  }
  std::uint32_t total = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(static_cast<unsigned char>(text[pos]));
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    total = total * base + static_cast<std::uint32_t>(digit);
  }
  return negative ? 0u - total : total;
}
