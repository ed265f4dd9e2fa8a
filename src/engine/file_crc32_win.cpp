#include "engine/file_crc32.h"

#include <windows.h>

#include <vector>

#include "engine/crc32.h"
#include "platform/file_win.h"

uint32_t FileCrc32(const std::string& path) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file.IsOpen()) return 0;
  uint64_t size = 0;
  if (!file.Size(size) || size == 0) return 0;

  // Bounded memory: the same CRC-32 for any file size.
  constexpr DWORD kChunk = 256 * 1024;
  std::vector<unsigned char> buffer(kChunk);
  uint32_t crc = 0;
  uint64_t remaining = size;
  while (remaining > 0) {
    DWORD want = remaining < kChunk ? DWORD(remaining) : kChunk;
    DWORD got = 0;
    if (!file.Read(buffer.data(), want, got) || got != want) return 0;
    crc = Crc32Update(crc, buffer.data(), got);
    remaining -= got;
  }
  return crc;
}

int MatchesCrc(const std::string& path, const char* expected) {
  return FileCrc32(path) == CrcFromText(expected) ? 1 : 0;
}
