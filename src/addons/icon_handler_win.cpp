#include "addons/icon_handler_win.h"

#include "platform/library_win.h"

int RegisterIconHandler(const std::string& path) {
  Library library(path);
  using RegisterServer = HRESULT(WINAPI*)();
  auto registerServer = library.Export<RegisterServer>("DllRegisterServer");
  if (registerServer == nullptr) return 0;
  registerServer();
  return 1;
}
