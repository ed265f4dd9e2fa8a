#include "app/elevation_win.h"

#include <shellapi.h>

#include "commit/os_family_win.h"
#include "platform/library_win.h"

namespace {

// TOKEN_INFORMATION_CLASS values and TOKEN_ELEVATION_TYPE of Windows Vista,
// which the headers for Windows 95 and NT 4.0 do not declare.
constexpr int kTokenElevationType = 18;
constexpr int kTokenElevation = 20;
constexpr DWORD kElevationTypeLimited = 3;

using OpenProcessTokenFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE*);
using GetTokenInformationFunction = BOOL(WINAPI*)(HANDLE, int, void*, DWORD, DWORD*);

bool QueryToken(bool& elevated, bool& canElevate) {
  const auto openToken = SystemFunction<OpenProcessTokenFunction>("ADVAPI32.DLL", "OpenProcessToken");
  const auto tokenInformation = SystemFunction<GetTokenInformationFunction>("ADVAPI32.DLL", "GetTokenInformation");
  HANDLE token = nullptr;
  if (openToken == nullptr || tokenInformation == nullptr || !openToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    return false;
  DWORD isElevated = 0, type = 0, size = 0;
  const bool read = tokenInformation(token, kTokenElevation, &isElevated, sizeof isElevated, &size) &&
                    tokenInformation(token, kTokenElevationType, &type, sizeof type, &size);
  CloseHandle(token);
  if (!read) return false;
  elevated = isElevated != 0;
  canElevate = type == kElevationTypeLimited;
  return true;
}

}  // namespace

ElevationState QueryElevationState(bool silent) {
  ElevationState state;
  state.silent = silent;
  state.osFamily = DetectOsFamily();
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT)
    state.ntMajorVersion = version.dwMajorVersion;
  state.elevated = true;
  bool elevated = false, canElevate = false;
  if (state.osFamily == kOsFamilyNt && state.ntMajorVersion >= 6 && QueryToken(elevated, canElevate)) {
    state.elevated = elevated;
    state.canElevate = canElevate;
  }
  return state;
}

bool RelaunchElevated(const std::string& arguments, DWORD& exitCode) {
  const std::string self = ExecutablePath();
  if (self.empty()) return false;
  SHELLEXECUTEINFOA request = {};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_NOCLOSEPROCESS;
  request.lpVerb = "runas";
  request.lpFile = self.c_str();
  request.lpParameters = arguments.c_str();
  request.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&request) || request.hProcess == nullptr) return false;
  WaitForSingleObject(request.hProcess, INFINITE);
  const bool ended = GetExitCodeProcess(request.hProcess, &exitCode) != 0;
  CloseHandle(request.hProcess);
  return ended;
}
