#include "platform/library_win.h"

#include <utility>

Library::Library(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}

Library::~Library() { Free(); }

Library::Library(Library&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}

Library& Library::operator=(Library&& other) noexcept {
  if (this != &other) {
    Free();
    module_ = std::exchange(other.module_, nullptr);
  }
  return *this;
}

FARPROC Library::Symbol(const char* name) const {
  return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

void Library::Free() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
}

HMODULE Library::Release() { return std::exchange(module_, nullptr); }

std::string ExecutablePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH + 1);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}
