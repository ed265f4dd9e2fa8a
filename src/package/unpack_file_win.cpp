#include "package/unpack_file.h"

#include <cstdint>
#include <new>
#include <vector>

#include "package/depack.h"
#include "platform/file_win.h"

namespace {

// Reads the whole file in one buffer; false unless every byte arrives.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& content) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file.IsOpen()) return false;
  uint64_t size = 0;
  if (!file.Size(size) || size > content.max_size() || size > 0xFFFFFFFFu) return false;
  content.resize(static_cast<size_t>(size));
  size_t filled = 0;
  while (filled < content.size()) {
    DWORD done = 0;
    if (!file.Read(content.data() + filled, DWORD(content.size() - filled), done) || done == 0) return false;
    filled += done;
  }
  return true;
}

}  // namespace

int UnpackFile(const std::string& source, const std::string& destination) {
  try {
    std::vector<unsigned char> packed;
    if (!ReadWholeFile(source, packed)) return 0;
    std::vector<unsigned char> plain;
    if (!UnpackImage(packed.data(), packed.size(), plain).ok()) return 0;
    packed = {};

    FileHandle out(destination, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (!out.IsOpen()) return 0;
    if (!plain.empty() && !out.WriteAll(plain.data(), DWORD(plain.size()))) return 0;
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
