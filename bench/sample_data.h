#pragma once
// Deterministic bytes that compress like product binaries (about 2:1 to 3:1
// with gzip -9): stretches of skewed "code" bytes, repeats of earlier bytes
// with small changes, zero padding and ASCII names. The same seed always
// gives the same bytes, natively and under Windows.
#include <cstddef>
#include <cstdint>
#include <vector>

class SampleData {
 public:
  explicit SampleData(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

  // Appends `size` bytes to `out`.
  void Append(std::vector<unsigned char>& out, size_t size) {
    const size_t end = out.size() + size;
    out.reserve(end);
    while (out.size() < end) {
      const size_t room = end - out.size();
      const uint32_t kind = Next() % 100;
      if (kind < 40 && out.size() > 64) {
        Repeat(out, room);
      } else if (kind < 75) {
        Code(out, room);
      } else if (kind < 85) {
        out.insert(out.end(), Smaller(room, 16 + Next() % 240), 0);
      } else {
        Text(out, room);
      }
    }
  }

  std::vector<unsigned char> Make(size_t size) {
    std::vector<unsigned char> out;
    Append(out, size);
    return out;
  }

 private:
  static size_t Smaller(size_t a, size_t b) { return a < b ? a : b; }

  uint32_t Next() {  // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return uint32_t((state_ * 0x2545F4914F6CDD1Dull) >> 32);
  }

  // An earlier stretch again, one byte in about 16 changed.
  void Repeat(std::vector<unsigned char>& out, size_t room) {
    const size_t distance = 1 + Next() % Smaller(out.size(), 32768);
    const size_t length = Smaller(room, 8 + Next() % 120);
    const size_t from = out.size() - distance;
    for (size_t i = 0; i < length; ++i) {
      const unsigned char byte = out[from + i];
      out.push_back(Next() % 16 == 0 ? static_cast<unsigned char>(Next()) : byte);
    }
  }

  // Instruction-like bytes: small values and a few frequent opcodes.
  void Code(std::vector<unsigned char>& out, size_t room) {
    static const unsigned char kFrequent[] = {0x8B, 0x89, 0xE8, 0xFF, 0x83, 0x45, 0x55, 0xC3, 0x0F, 0x74};
    const size_t length = Smaller(room, 16 + Next() % 200);
    for (size_t i = 0; i < length; ++i) {
      const uint32_t r = Next();
      if (r % 3 == 0) {
        out.push_back(kFrequent[(r >> 8) % sizeof kFrequent]);
      } else if (r % 3 == 1) {
        out.push_back(static_cast<unsigned char>((r >> 8) % 16));
      } else {
        out.push_back(static_cast<unsigned char>(r >> 8));
      }
    }
  }

  // Names and messages as a resource section holds them.
  void Text(std::vector<unsigned char>& out, size_t room) {
    static const char* const kWords[] = {"Skal", "Update", "File", "Engine", "Scan", "Virus", "Database",
                                         "Kernel32", "GetProcAddress", "Service", "Monitor", ".DLL", ".EXE",
                                         "Version", "Norvance", "Windows", "Registry", "Error", " ", "\r\n"};
    const size_t words = 4 + Next() % 20;
    for (size_t w = 0; w < words && room > 0; ++w) {
      for (const char* c = kWords[Next() % (sizeof kWords / sizeof kWords[0])]; *c && room > 0; ++c, --room)
        out.push_back(static_cast<unsigned char>(*c));
    }
  }

  uint64_t state_;
};
