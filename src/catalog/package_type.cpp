#include "catalog/package_type.h"

#include <cctype>

namespace {

bool EqualsIgnoreCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && b[i] == '\0';
}

}  // namespace

PackageType PackageTypeFromText(const std::string& text) {
  static const char* const kNames[] = {"General_DB", "Special_DB", "General_PFW", "Special_PFW"};
  for (int i = 0; i < 4; ++i)
    if (EqualsIgnoreCase(text, kNames[i])) return static_cast<PackageType>(i);
  return kGeneralAntivirus;
}
