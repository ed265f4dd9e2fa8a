#include "commit/os_family_win.h"

#include <windows.h>

int32_t DetectOsFamily() {
  // The plain structure: every system takes it, where the extended one
  // fails on Windows 95 and NT 4.0 before service pack 6.
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return kOsFamilyUnknown;
  return OsFamilyOf(info.dwPlatformId, info.dwBuildNumber);
}
