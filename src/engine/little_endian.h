#pragma once
// Little-endian fields of file formats (archive records, packed-file headers,
// executable headers). The caller has checked that the field lies inside the
// bytes.
#include <cstdint>
#include <string_view>

inline uint32_t LoadLe32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint64_t LoadLe64(const unsigned char* p) { return uint64_t(LoadLe32(p)) | uint64_t(LoadLe32(p + 4)) << 32; }

inline void StoreLe32(unsigned char* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint16_t ReadLe16(std::string_view bytes, size_t at) {
  return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

inline uint32_t ReadLe32(std::string_view bytes, size_t at) {
  return LoadLe32(reinterpret_cast<const unsigned char*>(bytes.data() + at));
}
