#include "engine/file_versions_win.h"

#include <windows.h>

#include "engine/driver_version.h"
#include "engine/file_byte_source_win.h"
#include "engine/header_versions.h"
#include "paths/folders_win.h"
#include "platform/version_info_win.h"

namespace {

// The first `length` bytes of a file opened for reading, sharing reads.
std::string ReadFirstBytes(const std::string& path, size_t length) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  return FileByteSource(file).ReadAt(0, length);
}

}  // namespace

bool ReadResourceVersion(const std::string& path, VersionNumber& version) {
  version = VersionNumber{};
  VS_FIXEDFILEINFO fixed;
  if (!ReadFixedFileInfo(path, fixed)) return false;
  version = VersionNumber{fixed.dwProductVersionMS, fixed.dwProductVersionLS};
  return true;
}

bool ReadHeaderVersion(const std::string& path, VersionNumber& version) {
  version = VersionNumber{};
  return HeaderVersionFromBytes(ReadFirstBytes(path, kHeaderVersionBytes), version);
}

bool ReadEngineVersion(const std::string& path, VersionNumber& version) {
  version = VersionNumber{};
  return EngineVersionFromBytes(ReadFirstBytes(path, kEngineVersionBytes), version);
}

bool ReadFileVersion(const std::string& path, int method, VersionNumber& version) {
  version = VersionNumber{};
  if (!FileExists(path)) return false;
  if (method == 0) return ReadResourceVersion(path, version);
  if (method == 1) return ReadHeaderVersion(path, version);
  return true;
}

int CompareVxdVersion(const std::string& path, const std::string& versionText) {
  FileHandle file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file.IsOpen()) return 0;
  FileByteSource bytes(file);
  return CompareDriverVersion(bytes, versionText);
}
