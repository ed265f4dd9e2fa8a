// The same reads as ini_bench, but through GetPrivateProfileStringA on a file,
// for comparison under Wine: every key of every item of a generated catalogue
// of 100, 1,000 and 10,000 items. Prints milliseconds per catalogue.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/ini_file.h"
#include "catalogue_text.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = WriteFile(h, text.data(), DWORD(text.size()), &done, nullptr) && done == text.size();
  CloseHandle(h);
  return ok;
}

}  // namespace

int main() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  for (int items : {100, 1000, 10000}) {
    const std::string text = MakeCatalogueText(items);
    const std::string path = std::string(folder) + "bench" + std::to_string(items) + ".ini";
    if (!WriteText(path, text)) return 1;

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    std::size_t total = 0;
    char value[260];
    std::vector<char> names(16 * items + 64);
    GetPrivateProfileSectionNamesA(names.data(), DWORD(names.size()), path.c_str());
    for (const char* section = names.data(); *section; section += std::strlen(section) + 1)
      for (const char* key : kItemKeys)
        total += GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    QueryPerformanceCounter(&end);
    const double profile = Milliseconds(start, end);

    QueryPerformanceCounter(&start);
    const IniFile ini(text);
    std::size_t ours = 0;
    for (const std::string& section : ini.AllSectionNames())
      for (const char* key : kItemKeys) ours += ini.ReadString(section, key, "", sizeof value).size();
    QueryPerformanceCounter(&end);

    std::printf("%5d items: profile functions %9.1f ms, IniFile %7.1f ms (%s)\n", items, profile,
                Milliseconds(start, end), total == ours ? "same bytes read" : "DIFFERENT BYTES");
  }
  return 0;
}
