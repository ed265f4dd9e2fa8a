#include "engine/file_byte_source_win.h"

std::string FileByteSource::ReadAt(uint64_t offset, size_t length) {
  std::string bytes(length, '\0');
  size_t done = 0;
  if (file_.IsOpen() && file_.Seek(offset)) {
    // ReadFile may return fewer bytes than asked before the end of the file.
    while (done < length) {
      DWORD got = 0;
      if (!file_.Read(&bytes[done], DWORD(length - done), got) || got == 0) break;
      done += got;
    }
  }
  bytes.resize(done);
  return bytes;
}
