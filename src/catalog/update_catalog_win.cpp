#include "catalog/update_catalog.h"

#include <windows.h>

#include <new>

#include "package/unpack_file.h"
#include "paths/folders_win.h"
#include "platform/file_win.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  uint64_t size = 0;
  if (!file.IsOpen() || !file.Size(size) || size > 0x7FFFFFFF) return false;
  bytes.assign(size_t(size), '\0');
  DWORD done = 0;
  return size == 0 || (file.Read(&bytes[0], DWORD(size), done) && done == size);
}

}  // namespace

int UpdateCatalog::OpenCatalogue(const std::string& packedPath, const std::string& catalogPath) {
  PackedPath = packedPath;
  CatalogPath = catalogPath;
  ClearItems();
  ClearProcesses();
  // The expanded file is ours from here on: the close removes it.
  removeTextFile_ = [path = CatalogPath] { DeleteFileA(path.c_str()); };
  if (!FileExists(PackedPath)) return 0;
  if (!UnpackFile(PackedPath, CatalogPath)) return 0;
  try {
    std::string bytes;
    if (!ReadWholeFile(CatalogPath, bytes)) return 0;
    UseText(bytes);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}
