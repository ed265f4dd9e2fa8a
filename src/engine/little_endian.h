#pragma once
// Little-endian fields of headers read into a byte string. The caller has
// checked that the field lies inside the bytes.
#include <cstdint>
#include <string_view>

inline uint16_t ReadLe16(std::string_view bytes, size_t at) {
  return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

inline uint32_t ReadLe32(std::string_view bytes, size_t at) {
  return uint32_t(ReadLe16(bytes, at)) | uint32_t(ReadLe16(bytes, at + 2)) << 16;
}
