#pragma once
#include <cstddef>
#include <cstdint>

// Standard reflected CRC-32 (polynomial 0xEDB88320, preset and final inversion),
// the one zlib and PKZIP use. Feeding data in pieces gives the same result as
// feeding it at once: Crc32Update(Crc32Update(0, a), b) == CRC of a followed by b.
uint32_t Crc32Update(uint32_t crc, const void* bytes, size_t length);

// Turns a catalogue's decimal CRC text into its 32-bit value the way the C
// library's atoi does on the target: leading white space, one optional sign,
// digits accumulated with wrap-around modulo 2^32, stop at the first non-digit.
// So "4294967295" and "-1" give the same value.
uint32_t CrcFromText(const char* text);
