#include "platform/version_info_win.h"

#include <cstring>
#include <vector>

bool ReadFixedFileInfo(const std::string& path, VS_FIXEDFILEINFO& fixed) {
  std::memset(&fixed, 0, sizeof fixed);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return false;
  std::vector<char> info(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return false;
  void* root = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), "\\", &root, &length)) return false;
  if (root != nullptr && length >= sizeof fixed) std::memcpy(&fixed, root, sizeof fixed);
  return true;
}
