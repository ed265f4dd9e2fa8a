#include "commit/numbered_copy.h"

#include <climits>
#include <vector>

#include "engine/crc32.h"
#include "paths/path_ops.h"

namespace {

constexpr uint32_t kCopyChunk = 64 * 1024;
constexpr uint32_t kKeptAttributes = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;

// Writes the bytes of `in` to `out`, each write whole, checks that `out` is
// as long as what was read, gives it the last-write time of `in` and flushes
// it. `crc` gets the CRC-32 of the bytes read.
bool CopyBytes(FileSystem& files, FileId in, FileId out, uint32_t& crc) {
  std::vector<unsigned char> buffer(kCopyChunk);
  uint64_t copied = 0, length = 0;
  crc = 0;
  for (;;) {
    uint32_t got = 0;
    if (!files.Read(in, buffer.data(), kCopyChunk, got)) return false;
    if (got == 0) break;
    if (!files.Write(out, buffer.data(), got)) return false;
    crc = Crc32Update(crc, buffer.data(), got);
    copied += got;
  }
  FileTime written;
  return files.Size(out, length) && length == copied && files.WriteTime(in, written) &&
         files.SetWriteTime(out, written) && files.Flush(out);
}

}  // namespace

CopyOutcome CopyToNewFile(FileSystem& files, const std::string& source, const std::string& destination,
                          uint32_t* crc) {
  // The attributes by name and the time by handle: GetFileInformationByHandle
  // would also ask for the volume's serial number, which under Wine is a
  // request to its mount manager in another process, for every file.
  const uint32_t attributes = files.Attributes(source);
  if (attributes == kNoSuchFile) return CopyOutcome::kFailed;
  OpenFile in(files, source, FileOpen::kRead);
  if (!in.IsOpen()) return CopyOutcome::kFailed;

  bool copied;
  uint32_t readCrc = 0;
  {
    OpenFile out(files, destination, FileOpen::kCreateNew);
    if (!out.IsOpen()) {
      const uint32_t error = files.LastError();
      return error == kErrorFileExists || error == kErrorAlreadyExists ? CopyOutcome::kNameTaken
                                                                        : CopyOutcome::kFailed;
    }
    copied = CopyBytes(files, in.Id(), out.Id(), readCrc);
    copied = out.Close() && copied;
  }
  // Set once the file is closed, so that a read-only source does not leave
  // the copy read-only while it is still being written; only the attributes
  // that matter to a later replacement, since setting any opens the file again.
  if (copied && ((attributes & kKeptAttributes) == 0 || files.SetAttributes(destination, attributes))) {
    if (crc != nullptr) *crc = readCrc;
    return CopyOutcome::kCopied;
  }
  files.SetAttributes(destination, kAttributeNormal);
  files.Delete(destination);
  return CopyOutcome::kFailed;
}

namespace {

bool RemoveLeftover(FileSystem& files, const std::string& path, const LeftoverTest& leftover) {
  if (!leftover || !leftover(path)) return false;
  files.SetAttributes(path, kAttributeNormal);
  return files.Delete(path);
}

// Removes the leftovers after number `taken`, up to the first free number:
// a number below them freed by a restart would otherwise keep them for ever.
void RemoveLeftoversAfter(FileSystem& files, const std::string& base, int taken, const LeftoverTest& leftover) {
  for (int n = taken + 1; n < INT_MAX; ++n) {
    const std::string candidate = base + std::to_string(n);
    if (!FitsPathLimit(candidate) || files.Attributes(candidate) == kNoSuchFile) return;
    RemoveLeftover(files, candidate, leftover);
  }
}

}  // namespace

bool CopyToFirstFreeNumberedPath(FileSystem& files, const std::string& source, const std::string& base,
                                 std::string& path, const LeftoverTest& leftover, uint32_t* crc) {
  for (int n = 0;; ++n) {
    std::string candidate = base + std::to_string(n);
    if (!FitsPathLimit(candidate)) return false;
    switch (CopyToNewFile(files, source, candidate, crc)) {
      case CopyOutcome::kCopied:
        if (leftover) RemoveLeftoversAfter(files, base, n, leftover);
        path = std::move(candidate);
        return true;
      case CopyOutcome::kFailed:
        return false;
      case CopyOutcome::kNameTaken:
        if (RemoveLeftover(files, candidate, leftover)) --n;  // the number is free again
        break;
    }
    if (n == INT_MAX) return false;
  }
}
