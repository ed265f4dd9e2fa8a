// RegIcon.DLL stand-in: the installation's self-registering icon handler.
// Each DllRegisterServer call appends a line to "RegIcon.trace" beside the
// library, so that a test sees whether, and how often, it was registered.
#include <windows.h>

#include <string>

namespace {
HMODULE g_module = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
  std::string trace(path, length);
  trace.erase(trace.find_last_of('\\') + 1);
  trace += "RegIcon.trace";
  HANDLE file = CreateFileA(trace.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return E_FAIL;
  static const char kLine[] = "DllRegisterServer\r\n";
  DWORD written = 0;
  WriteFile(file, kLine, sizeof kLine - 1, &written, nullptr);
  CloseHandle(file);
  return S_OK;
}
