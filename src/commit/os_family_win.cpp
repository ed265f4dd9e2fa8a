#include "commit/os_family_win.h"

#include <windows.h>

int32_t DetectOsFamily() {
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return kOsFamilyUnknown;
  }
  return OsFamilyOf(info.dwPlatformId, info.dwBuildNumber);
}
