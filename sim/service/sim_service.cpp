// A Windows service for tests of service control, run by the service control
// manager as its own process. Its settings follow its path on the service's
// command line, as key=value words (times in milliseconds):
//   name=NAME          the service name (required)
//   starttime=MS       how long the start takes; -1: it never completes
//   starthint=MS       wait hint reported while starting
//   stoptime=MS        how long the stop takes; -1: it never completes
//   stophint=MS        wait hint reported while stopping
//   step=MS            the check point grows by one every MS while pending
//   hold=PATH          a file it keeps open without sharing from its start
//                      until its stop completes (may be given more than once)
// A pending phase that never completes does not advance its check point.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Phase {
  long timeMs = 0;
  DWORD hintMs = 0;
};

std::string g_name;
Phase g_start;
Phase g_stop;
DWORD g_stepMs = 100;
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopRequested = nullptr;
std::vector<std::string> g_heldPaths;

void Report(DWORD state, DWORD checkPoint, DWORD waitHint) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status.dwCheckPoint = checkPoint;
  status.dwWaitHint = waitHint;
  SetServiceStatus(g_statusHandle, &status);
}

// Reports the pending state with a growing check point until the phase's
// time has passed; a phase of -1 stays pending at check point 1 forever.
void RunPending(DWORD pendingState, const Phase& phase) {
  if (phase.timeMs < 0) {
    Report(pendingState, 1, phase.hintMs);
    Sleep(INFINITE);
  }
  const DWORD begin = GetTickCount();
  DWORD checkPoint = 1;
  while (GetTickCount() - begin < DWORD(phase.timeMs)) {
    Report(pendingState, checkPoint++, phase.hintMs);
    Sleep(g_stepMs);
  }
}

DWORD WINAPI OnControl(DWORD control, DWORD, void*, void*) {
  if (control == SERVICE_CONTROL_STOP) {
    Report(SERVICE_STOP_PENDING, 0, g_stop.hintMs);
    SetEvent(g_stopRequested);
    return NO_ERROR;
  }
  return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, char**) {
  g_statusHandle = RegisterServiceCtrlHandlerExA(g_name.c_str(), OnControl, nullptr);
  if (g_statusHandle == nullptr) return;
  g_stopRequested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::vector<HANDLE> held;
  for (const std::string& path : g_heldPaths)
    held.push_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  RunPending(SERVICE_START_PENDING, g_start);
  Report(SERVICE_RUNNING, 0, 0);
  WaitForSingleObject(g_stopRequested, INFINITE);
  RunPending(SERVICE_STOP_PENDING, g_stop);
  // Its files are free before the manager hears that it stopped.
  for (HANDLE file : held) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  Report(SERVICE_STOPPED, 0, 0);
}

void ReadSetting(const char* word) {
  const char* equals = std::strchr(word, '=');
  if (equals == nullptr) return;
  const std::string key(word, equals - word);
  const char* value = equals + 1;
  if (key == "name") g_name = value;
  else if (key == "starttime") g_start.timeMs = std::atol(value);
  else if (key == "starthint") g_start.hintMs = std::strtoul(value, nullptr, 10);
  else if (key == "stoptime") g_stop.timeMs = std::atol(value);
  else if (key == "stophint") g_stop.hintMs = std::strtoul(value, nullptr, 10);
  else if (key == "step") g_stepMs = std::strtoul(value, nullptr, 10);
  else if (key == "hold") g_heldPaths.push_back(value);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) ReadSetting(argv[i]);
  if (g_name.empty() || g_stepMs == 0) return 2;
  SERVICE_TABLE_ENTRYA table[] = {{g_name.data(), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
