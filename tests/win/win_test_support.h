#pragma once
// Small helpers shared by the Windows tests: scratch folders, whole-file I/O,
// test bytes, code page 936 text, the runner's texts, held files.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "child_process_win.h"

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

// `size` bytes that differ from the bytes of any other seed almost everywhere.
inline std::string Noise(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : bytes) {
    x = x * 1664525u + 1013904223u;
    c = char(x >> 24);
  }
  return bytes;
}

// UTF-8 text of a test's source as code page 936 bytes.
inline std::string Gbk(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], int(wide.size())));
  std::string bytes(wide.size() * 2, '\0');
  bytes.resize(
      WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), &bytes[0], int(bytes.size()), nullptr, nullptr));
  return bytes;
}

// The temporary folder of this process, ending with a backslash.
inline std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

// Registry values read and written as the tests set up and check them.
inline bool SetDword(HKEY root, const std::string& key, const char* name, DWORD value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const bool set = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                   ERROR_SUCCESS;
  RegCloseKey(handle);
  return set;
}

// The value when it is a DWORD, else 0xFFFFFFFF.
inline DWORD DwordValue(HKEY root, const std::string& key, const char* name) {
  DWORD value = 0xFFFFFFFF, size = sizeof value, type = 0;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(handle);
  return type == REG_DWORD ? value : 0xFFFFFFFF;
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

// Starts holdfile.exe on `path` with share mode `mode` ("none", "read" or
// "readwrite") and returns once it holds the file; the lock lasts while
// `holder` runs. False when holdfile could not open the file in time.
inline bool HoldFile(automation::ChildProcess& holder, const std::string& path, const std::string& mode) {
  const std::string marker = path + ".ready";
  DeleteFileA(marker.c_str());
  if (!holder.Start(automation::CommandLine(ProgramFolder() + "holdfile.exe", {path, mode, "3600"}))) return false;
  DWORD exitCode = 0;
  for (int i = 0; i < 200 && !holder.Wait(50, exitCode); ++i)
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  holder.Terminate();
  return false;
}

}  // namespace testsupport
