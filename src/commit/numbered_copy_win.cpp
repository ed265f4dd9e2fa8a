#include "commit/numbered_copy_win.h"

#include <windows.h>

#include <climits>
#include <vector>

#include "platform/file_win.h"

namespace {

constexpr DWORD kCopyChunk = 64 * 1024;

enum class CopyOutcome { kCopied, kNameTaken, kFailed };

// Writes the bytes of `in` to `out` and gives `out` the last-write time.
bool CopyBytes(FileHandle& in, FileHandle& out, const FILETIME& written) {
  std::vector<unsigned char> buffer(kCopyChunk);
  for (;;) {
    DWORD got = 0;
    if (!in.Read(buffer.data(), kCopyChunk, got)) return false;
    if (got == 0) break;
    if (!out.WriteAll(buffer.data(), got)) return false;
  }
  return out.SetTimes(nullptr, nullptr, &written);
}

// Copies to `destination` unless a file of that name exists. A destination
// created and then not completed is deleted.
CopyOutcome CopyToNewFile(const std::string& source, const std::string& destination) {
  // The attributes by name and the time by handle: GetFileInformationByHandle
  // would also ask for the volume's serial number, which under Wine is a
  // request to its mount manager in another process, for every file.
  const DWORD attributes = GetFileAttributesA(source.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return CopyOutcome::kFailed;
  FileHandle in(source, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  FILETIME written;
  if (!in.IsOpen() || !GetFileTime(in.Get(), nullptr, nullptr, &written)) return CopyOutcome::kFailed;

  FileHandle out(destination, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  if (!out.IsOpen()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CopyOutcome::kNameTaken
                                                                        : CopyOutcome::kFailed;
  }
  const bool copied = CopyBytes(in, out, written);
  out.Close();
  // Set once the file is closed, so that a read-only source does not leave
  // the copy read-only while it is still being written; only the attributes
  // that matter to a later replacement, since setting any opens the file again.
  const DWORD kept = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  if (copied && (kept == 0 || SetFileAttributesA(destination.c_str(), attributes))) return CopyOutcome::kCopied;
  SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(destination.c_str());
  return CopyOutcome::kFailed;
}

}  // namespace

bool CopyToFirstFreeNumberedPath(const std::string& source, const std::string& base, std::string& path) {
  for (int n = 0;; ++n) {
    std::string candidate = base + std::to_string(n);
    if (candidate.size() >= MAX_PATH) return false;
    switch (CopyToNewFile(source, candidate)) {
      case CopyOutcome::kCopied:
        path = std::move(candidate);
        return true;
      case CopyOutcome::kFailed:
        return false;
      case CopyOutcome::kNameTaken:
        break;
    }
    if (n == INT_MAX) return false;
  }
}
