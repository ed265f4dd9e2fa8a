#pragma once
// Thin RAII wrapper over a loaded library (LoadLibraryA / FreeLibrary).
#include <windows.h>

#include <string>

class Library {
 public:
  Library() = default;
  explicit Library(const std::string& path);
  ~Library();
  Library(Library&& other) noexcept;
  Library& operator=(Library&& other) noexcept;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool IsLoaded() const { return module_ != nullptr; }
  HMODULE Get() const { return module_; }
  // GetProcAddress; null when the library lacks the name or is not loaded.
  FARPROC Symbol(const char* name) const;
  void Free();
  // Gives up ownership: the library stays loaded until the process ends.
  HMODULE Release();

 private:
  HMODULE module_ = nullptr;
};

// Full path of the running program (GetModuleFileNameA); empty when it does
// not fit MAX_PATH.
std::string ExecutablePath();
