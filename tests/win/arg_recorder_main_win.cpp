// Stands in for a program that another one starts: writes its command line
// to CommandLine.txt beside itself, for tests to read.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string record = path;
  record = record.substr(0, record.find_last_of('\\') + 1) + "CommandLine.txt";
  HANDLE file = CreateFileA(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const char* line = GetCommandLineA();
  DWORD done = 0;
  WriteFile(file, line, lstrlenA(line), &done, nullptr);
  CloseHandle(file);
  return 0;
}
