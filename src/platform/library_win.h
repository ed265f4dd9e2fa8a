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
  // The same, as a pointer to the function type the caller knows it has.
  template <typename Function>
  Function Export(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(Symbol(name)));
  }
  void Free();
  // Gives up ownership: the library stays loaded until the process ends.
  HMODULE Release();

 private:
  HMODULE module_ = nullptr;
};

// A function of a system library the program has loaded already (KERNEL32,
// ADVAPI32), looked up at run time because older Windows lacks it, so that
// the program still loads there: null where the library or function is missing.
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
  const HMODULE module = GetModuleHandleA(library);
  return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                           : nullptr;
}

// Full path of the running program (GetModuleFileNameA); empty when it does
// not fit MAX_PATH.
std::string ExecutablePath();
