#include "commit/copy_whole_file_win.h"

#include <windows.h>

#include <vector>

#include "platform/file_win.h"

namespace {

constexpr DWORD kCopyChunk = 64 * 1024;

}  // namespace

bool CopyWholeFile(const std::string& source, const std::string& destination) {
  FILETIME written;
  DWORD attributes = 0;
  {
    FileHandle in(source, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!in.IsOpen()) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(in.Get(), &info)) return false;
    written = info.ftLastWriteTime;
    attributes = info.dwFileAttributes;

    FileHandle out(destination, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (!out.IsOpen()) return false;
    std::vector<unsigned char> buffer(kCopyChunk);
    for (;;) {
      DWORD got = 0;
      if (!in.Read(buffer.data(), kCopyChunk, got)) return false;
      if (got == 0) break;
      if (!out.WriteAll(buffer.data(), got)) return false;
    }
    if (!out.SetTimes(nullptr, nullptr, &written)) return false;
  }
  // Set once the file is closed, so that a read-only source does not leave
  // the copy read-only while it is still being written.
  if (attributes != FILE_ATTRIBUTE_NORMAL && !SetFileAttributesA(destination.c_str(), attributes)) return false;
  return true;
}
