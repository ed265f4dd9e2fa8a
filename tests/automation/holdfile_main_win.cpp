// holdfile PATH MODE SECONDS: holds PATH open for writing with the share mode
// MODE (none, read or readwrite) so that tests meet a file locked by another
// process. Writes PATH.ready once the handle is open, then keeps the handle
// until SECONDS pass or the process is killed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ParseShareMode(const char* mode, DWORD& share) {
  if (std::strcmp(mode, "none") == 0) share = 0;
  else if (std::strcmp(mode, "read") == 0) share = FILE_SHARE_READ;
  else if (std::strcmp(mode, "readwrite") == 0) share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  else return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  DWORD share = 0;
  char* end = nullptr;
  unsigned long seconds = argc == 4 ? std::strtoul(argv[3], &end, 10) : 0;
  if (argc != 4 || !ParseShareMode(argv[2], share) || *argv[3] == '\0' || *end != '\0') {
    std::fputs("usage: holdfile PATH none|read|readwrite SECONDS\n", stderr);
    return 2;
  }
  HANDLE held = CreateFileA(argv[1], GENERIC_WRITE, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holdfile: cannot open %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  const std::string marker = std::string(argv[1]) + ".ready";
  HANDLE ready = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holdfile: cannot write %s (error %lu)\n", marker.c_str(), GetLastError());
    CloseHandle(held);
    return 1;
  }
  CloseHandle(ready);
  Sleep(seconds * 1000);
  CloseHandle(held);
  return 0;
}
