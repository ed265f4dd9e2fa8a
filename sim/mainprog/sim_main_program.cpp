// Simulated product main program. Its settings come from an INI file beside
// it with its own base name (ZMT9X.EXE reads ZMT9X.ini), section [Simulation]:
//   ComponentId=1      id it registers under
//   Register=ipc       ipc: in ZMTIPC.dll's table; svc: as a client of
//                      ZMTSvc.DLL; none: nowhere
//   HonourQuit=1       0: a quit request is noted and ignored
//   QuitDelay=MS       how long it takes to close once it honours a quit
//                      request (default 0): its files stay open meanwhile
//   HoldFile0=PATH...  files it keeps open without sharing while it runs
// The first instance registers, opens its files and runs until asked to
// quit. A second instance started with "/quit" asks the first one (through a
// named event per component id) and ends at once. Both note what they do,
// one word a line, in the log file beside the program (ZMT9X.log).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "procctl/product_library_calls_win.h"

namespace {

using RegisterCall = int32_t(WINAPI*)(int32_t componentId, uint32_t handle);

std::string g_base;  // program path without its extension

void Note(const char* word) {
  HANDLE log = CreateFileA((g_base + ".log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  const std::string line = std::string(word) + "\r\n";
  DWORD done = 0;
  WriteFile(log, line.data(), DWORD(line.size()), &done, nullptr);
  CloseHandle(log);
}

std::string Setting(const char* key) {
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA("Simulation", key, "", value, sizeof value, (g_base + ".ini").c_str());
  return value;
}

int32_t WINAPI OnNotify(uint32_t) { return 1; }

// An export of the product library beside the program; the library stays
// loaded for the life of the process.
template <typename Call>
Call ProductCall(const char* library, const char* name) {
  const std::string folder = g_base.substr(0, g_base.find_last_of('\\') + 1);
  HMODULE module = LoadLibraryA((folder + library).c_str());
  return module != nullptr ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

bool RegisterWithIpc(int32_t componentId) {
  auto init = ProductCall<ipccalls::Init>("ZMTIPC.dll", "ZMTIPC_Init");
  auto add = ProductCall<RegisterCall>("ZMTIPC.dll", "ZMTIPC_RegisterProcess");
  return init != nullptr && add != nullptr && init(0) && add(componentId, GetCurrentProcessId());
}

void UnregisterFromIpc(int32_t componentId) {
  auto remove = ProductCall<RegisterCall>("ZMTIPC.dll", "ZMTIPC_UnregisterProcess");
  auto uninit = ProductCall<ipccalls::UnInit>("ZMTIPC.dll", "ZMTIPC_UnInit");
  if (remove != nullptr) remove(componentId, 0);
  if (uninit != nullptr) uninit(0);
}

bool ConnectToService(int32_t componentId) {
  auto init = ProductCall<svccalls::Init>("ZMTSvc.DLL", "Init");
  return init != nullptr && init(componentId, &OnNotify) != 0;
}

void DisconnectFromService() {
  auto uninit = ProductCall<svccalls::UnInit>("ZMTSvc.DLL", "UnInit");
  if (uninit != nullptr) uninit();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  g_base = path;
  g_base = g_base.substr(0, g_base.find_last_of('.'));
  const int32_t componentId = std::atoi(Setting("ComponentId").c_str());
  const std::string registerWith = Setting("Register");
  const bool honourQuit = Setting("HonourQuit") != "0";
  const DWORD quitDelayMs = DWORD(std::strtoul(Setting("QuitDelay").c_str(), nullptr, 10));
  const std::string eventName = "ZMTSim.Quit." + std::to_string(componentId);

  if (std::strstr(commandLine, "/quit") != nullptr) {
    Note("quit-request");
    HANDLE running = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    if (running != nullptr) {
      SetEvent(running);
      CloseHandle(running);
    }
    return 0;
  }

  HANDLE quit = CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
  std::vector<HANDLE> held;
  for (int i = 0;; ++i) {
    const std::string file = Setting(("HoldFile" + std::to_string(i)).c_str());
    if (file.empty()) break;
    // Others may read a held file (and start it, when it is a program), but
    // not write, rename or delete it, as Windows 95/98/Me keep the file of a
    // running program.
    held.push_back(
        CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  bool registered = false;
  if (registerWith == "ipc") registered = RegisterWithIpc(componentId);
  if (registerWith == "svc") registered = ConnectToService(componentId);
  Note(registered || registerWith == "none" ? "ready" : "register-failed");

  while (WaitForSingleObject(quit, INFINITE) == WAIT_OBJECT_0) {
    if (honourQuit) break;
    Note("quit-ignored");
  }
  Sleep(quitDelayMs);
  if (registerWith == "ipc" && registered) UnregisterFromIpc(componentId);
  if (registerWith == "svc" && registered) DisconnectFromService();
  for (HANDLE file : held) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  Note("exit");
  return 0;
}
