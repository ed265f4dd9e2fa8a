#include "sim_layout_win.h"

#include <shlwapi.h>

#include <cstdio>

#include "../zmtskal/product_data.h"

namespace sim {
namespace {

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool WriteFileText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool written = WriteFile(file, text.data(), DWORD(text.size()), &done, nullptr) && done == text.size();
  CloseHandle(file);
  return written;
}

bool MakeFolder(const std::string& folder) {
  // Every level, outermost first; existing ones are fine.
  for (size_t slash = folder.find('\\', 3); slash != std::string::npos; slash = folder.find('\\', slash + 1)) {
    CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
  }
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool LayOutFiles(const Installation& installation) {
  const std::string& folder = installation.folder;
  if (!MakeFolder(folder)) return false;
  bool oldest = installation.product == Product::kAntivirus && installation.version == 1;
  bool ok = true;
  if (oldest && installation.marker) ok &= WriteFileText(folder + "zmt9x.exe", "MZ simulated main program");
  if (oldest ? installation.dataFile : installation.marker) {
    int32_t major = installation.majorVersion >= 0 ? installation.majorVersion : installation.version << 16;
    ok &= WriteProductData(folder, major, installation.caption);
  }
  if (installation.library) {
    std::string source = installation.librarySource.empty() ? OwnFolder() + "ZMTSKAL.DLL" : installation.librarySource;
    ok &= CopyFileA(source.c_str(), (folder + "ZMTSKAL.DLL").c_str(), FALSE) != FALSE;
  }
  return ok;
}

}  // namespace

std::string ProductKey(Product product, int version) {
  return std::string("SOFTWARE\\Norvance\\") + (product == Product::kFirewall ? "ZmtPFW" : "AntiVirus") + "\\V" +
         std::to_string(version) + ".0";
}

bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               DWORD(value.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool LayOut(const Installation& installation) {
  std::string key = ProductKey(installation.product, installation.version);
  if (installation.folder.empty()) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
      return false;
    RegCloseKey(handle);
    return true;
  }
  return SetRegistryString(HKEY_LOCAL_MACHINE, key, "ProgramPath", installation.folder) && LayOutFiles(installation);
}

bool WriteProductData(const std::string& folder, int32_t majorVersion, const std::string& caption) {
  char major[16];
  std::snprintf(major, sizeof major, "0x%08lX", static_cast<unsigned long>(uint32_t(majorVersion)));
  ProductData items{{"MajorVersion", major}};
  if (!caption.empty()) items["MainFormCaption"] = caption;
  return WriteFileText(folder + "ISKAL.DAT", FormatProductData(items));
}

void RemoveProductKeys() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) SHDeleteKeyA(root, "SOFTWARE\\Norvance");
}

}  // namespace sim
