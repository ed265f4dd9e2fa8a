// assist4.exe stand-in: the outside party's assistant installer. It installs
// nothing; it writes the command line it was started with to
// "assist4.cmdline" beside itself and ends.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string record(path, length);
  record.erase(record.find_last_of('\\') + 1);
  record += "assist4.cmdline";
  HANDLE file = CreateFileA(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const char* commandLine = GetCommandLineA();
  DWORD written = 0;
  WriteFile(file, commandLine, DWORD(std::strlen(commandLine)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
