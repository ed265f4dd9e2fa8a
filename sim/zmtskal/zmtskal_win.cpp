// Stand-in for the product information library ZMTSKAL.DLL: Init reads the
// installation's ISKAL.DAT (format in product_data.h), GetInt and GetStr
// answer its items, Uninit forgets them. The exports use the stdcall
// convention with undecorated names (zmtskal.def), as the runner's
// discovery/product_info_library_win.h expects.
#include <windows.h>

#include <cstring>
#include <string>

#include "product_data.h"

namespace {

sim::ProductData g_items;
bool g_open = false;

std::string ReadFileText(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string text(GetFileSize(file, nullptr), '\0');
  DWORD done = 0;
  if (!text.empty()) ReadFile(file, &text[0], DWORD(text.size()), &done, nullptr);
  CloseHandle(file);
  text.resize(done);
  return text;
}

}  // namespace

extern "C" {

int32_t __stdcall Init(const char* dataFile) {
  g_items = sim::ParseProductData(ReadFileText(dataFile));
  g_open = true;
  return 1;
}

int32_t __stdcall GetInt(const char* name, int32_t* value) {
  if (!g_open || name == nullptr || value == nullptr) return 0;
  return sim::ProductDataInt(g_items, name, *value) ? 1 : 0;
}

int32_t __stdcall GetStr(const char* name, const char** text, int32_t* length) {
  if (!g_open || name == nullptr || text == nullptr) return 0;
  auto item = g_items.find(name);
  if (item == g_items.end()) return 0;
  *text = item->second.c_str();
  if (length != nullptr) *length = int32_t(item->second.size());
  return 1;
}

void __stdcall Uninit() {
  // The texts handed out die here; overwrite them first, so that a caller
  // still holding one reads rubbish rather than what happened to remain.
  for (auto& item : g_items) std::memset(&item.second[0], '#', item.second.size());
  g_items.clear();
  g_open = false;
}

}  // extern "C"
