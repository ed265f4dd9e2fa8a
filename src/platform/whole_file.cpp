#include "platform/whole_file.h"

bool PathExists(FileSystem& files, const std::string& path) { return files.Attributes(path) != kNoSuchFile; }

bool ReadWholeFile(FileSystem& files, const std::string& path, std::string& bytes) {
  bytes.clear();
  OpenFile file(files, path, FileOpen::kRead);
  if (!file.IsOpen()) return false;
  char buffer[64 * 1024];
  for (;;) {
    uint32_t got = 0;
    if (!files.Read(file.Id(), buffer, sizeof buffer, got)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

bool WriteFlushedFile(FileSystem& files, const std::string& path, const std::string& bytes) {
  const uint32_t attributes = files.Attributes(path);
  if (attributes != kNoSuchFile && (attributes & kAttributeReadOnly)) return false;
  bool written;
  {
    OpenFile file(files, path, FileOpen::kCreateAlways);
    if (!file.IsOpen()) return false;
    uint64_t length = 0;
    written = files.Write(file.Id(), bytes.data(), uint32_t(bytes.size())) && files.Size(file.Id(), length) &&
              length == bytes.size() && files.Flush(file.Id());
    written = file.Close() && written;
  }
  if (!written) files.Delete(path);
  return written;
}
