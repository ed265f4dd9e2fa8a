#pragma once
// Small helpers shared by the Windows tests: scratch folders, whole-file I/O,
// the folder of the test programs.
#include <windows.h>

#include <string>

namespace testsupport {

// Folder of the running test program, ending with a backslash (the built
// programs, the runner among them, lie beside it).
inline std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

// A new empty folder under C:\ for one test, ending with a backslash.
inline std::string MakeScratchFolder(const std::string& name) {
  std::string folder = "C:\\scratch\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  folder += name + "_" + std::to_string(GetTickCount()) + "_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = bytes.empty() || (WriteFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size());
  CloseHandle(h);
  return ok;
}

inline std::string ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD done = 0;
  if (!bytes.empty()) ReadFile(h, &bytes[0], DWORD(bytes.size()), &done, nullptr);
  CloseHandle(h);
  bytes.resize(done);
  return bytes;
}

// A text of the runner's own string table, loaded from its executable.
inline std::string RunnerText(unsigned id) {
  static HMODULE runner = LoadLibraryExA((ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  char buffer[2048] = {};
  int length = LoadStringA(runner, id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

inline bool IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The 8.3 form of an existing path, as the restart-time programs see it.
inline std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

}  // namespace testsupport
