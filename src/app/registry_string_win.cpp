#include "app/registry_string.h"

#include "platform/registry_win.h"

int ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& out) {
  constexpr DWORD kBufferSize = 260;
  {
    RegistryKey user(HKEY_CURRENT_USER, keyPath, KEY_READ);
    if (user.ReadString(valueName, out, kBufferSize)) return 1;
  }
  RegistryKey machine(HKEY_LOCAL_MACHINE, keyPath, KEY_READ);
  if (!machine.IsOpen()) return -1;
  return machine.ReadString(valueName, out, kBufferSize) ? 1 : 0;
}
