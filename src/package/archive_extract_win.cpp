// Extraction of the package archive into Win32 files.
#include <windows.h>

#include <new>

#include "engine/crc32.h"
#include "package/archive.h"
#include "package/archive_extraction.h"
#include "paths/folders_win.h"
#include "platform/file_win.h"

namespace {

class FileSource : public ArchiveSource {
 public:
  explicit FileSource(FileHandle& file) : file_(file) {}
  bool Size(uint64_t& size) override { return file_.Size(size); }
  bool Seek(uint64_t offset) override { return file_.Seek(offset); }
  bool Read(unsigned char* buffer, size_t length, size_t& done) override {
    DWORD got = 0;
    bool ok = file_.Read(buffer, DWORD(length), got);
    done = got;
    return ok;
  }

 private:
  FileHandle& file_;
};

FILETIME ToFileTime(uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = DWORD(value & 0xFFFFFFFFu);
  time.dwHighDateTime = DWORD(value >> 32);
  return time;
}

class FolderTarget : public ExtractTarget {
 public:
  FolderTarget(const std::string& destination, ExtractedCrcs* crcs) : destination_(destination), crcs_(crcs) {}

  bool Create(const EntryPlacement& placement) override {
    std::string folderPath, filePath;
    if (!BuildEntryPaths(destination_, placement, folderPath, filePath)) return false;
    if (!folderPath.empty()) CreateFolderPath(folderPath);
    output_ = FileHandle(filePath, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    path_ = filePath;
    crc_ = 0;
    return output_.IsOpen();
  }

  // The CRC-32 goes along with the bytes, while they are in the cache: the
  // check of the package copies then needs no second read of every file.
  bool Write(const unsigned char* bytes, size_t length) override {
    if (crcs_ != nullptr) crc_ = Crc32Update(crc_, bytes, length);
    return output_.WriteAll(bytes, DWORD(length));
  }

  // A time that Windows refuses leaves the file's own time; the data is whole.
  bool Finish(const ArchiveTimes& times) override {
    FILETIME created = ToFileTime(times.created);
    FILETIME accessed = ToFileTime(times.accessed);
    FILETIME written = ToFileTime(times.written);
    output_.SetTimes(&created, &accessed, &written);
    if (!output_.Close()) return false;
    if (crcs_ != nullptr) (*crcs_)[path_] = crc_;
    return true;
  }

 private:
  std::string destination_;
  ExtractedCrcs* crcs_;
  FileHandle output_;
  std::string path_;
  uint32_t crc_ = 0;
};

}  // namespace

int ExtractPackageArchive(const std::string& archivePath, const std::string& destination, ExtractedCrcs* crcs) {
  try {
    FileHandle archive(archivePath, GENERIC_READ, 0, OPEN_EXISTING);
    if (!archive.IsOpen()) return 0;
    FileSource source(archive);
    FolderTarget target(destination, crcs);
    return ExtractArchive(source, target).ok() ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
