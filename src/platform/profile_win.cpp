#include "platform/profile_win.h"

#include <windows.h>

#include <vector>

std::string ReadProfileText(const std::string& file, const std::string& section, const std::string& key) {
  // A value that fills the buffer up to its last character may have been cut.
  for (DWORD size = 1024;; size *= 4) {
    std::vector<char> buffer(size);
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, file.c_str());
    if (length + 1 < size || size >= 1u << 20) return std::string(buffer.data(), length);
  }
}

bool WriteProfileText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}
