#include "engine/crc32.h"

#include "engine/little_endian.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

// Eight tables for slicing-by-8: table[0] is the classic byte table, table[k]
// advances a byte that stands k positions further from the end of the block.
struct Tables {
  std::array<std::array<uint32_t, 256>, 8> t{};
  constexpr Tables() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t r = i;
      for (int bit = 0; bit < 8; ++bit) r = (r >> 1) ^ ((r & 1u) ? kPolynomial : 0u);
      t[0][i] = r;
    }
    for (uint32_t i = 0; i < 256; ++i)
      for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
  }
};

constexpr Tables kTables;

}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* bytes, size_t length) {
  if (bytes == nullptr) return 0;
  const auto* p = static_cast<const unsigned char*>(bytes);
  const auto& t = kTables.t;
  uint32_t r = ~crc;
  // Eight bytes per pass of the main loop, the remainder byte by byte.
  while (length >= 8) {
    uint32_t lo = LoadLe32(p) ^ r;
    uint32_t hi = LoadLe32(p + 4);
    r = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
        t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    p += 8;
    length -= 8;
  }
  while (length-- > 0) r = (r >> 8) ^ t[0][(r ^ *p++) & 0xFF];
  return ~r;
}

uint32_t CrcFromText(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  uint32_t value = 0;
  while (*p >= '0' && *p <= '9') value = value * 10u + uint32_t(*p++ - '0');
  return negative ? 0u - value : value;
}
