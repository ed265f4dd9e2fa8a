#include "engine/file_crc32.h"

#include <vector>

#include "engine/crc32.h"

uint32_t FileCrc32(FileSystem& files, const std::string& path) {
  OpenFile file(files, path, FileOpen::kRead);
  if (!file.IsOpen()) return 0;
  // Bounded memory: the same CRC-32 for any file size.
  constexpr uint32_t kChunk = 256 * 1024;
  std::vector<unsigned char> buffer(kChunk);
  uint32_t crc = 0;
  for (;;) {
    uint32_t got = 0;
    if (!files.Read(file.Id(), buffer.data(), kChunk, got)) return 0;
    if (got == 0) return crc;
    crc = Crc32Update(crc, buffer.data(), got);
  }
}

int MatchesCrc(FileSystem& files, const std::string& path, const char* expected) {
  return FileCrc32(files, path) == CrcFromText(expected) ? 1 : 0;
}
