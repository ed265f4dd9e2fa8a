// longname: prints the long form of each path given (its short 8.3 names
// resolved as Windows resolves them), one a line; an empty line for a path
// that does not exist. The scenarios use it to see a disk as DOS sees it.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    char path[MAX_PATH] = {};
    DWORD length = GetLongPathNameA(argv[i], path, MAX_PATH);
    std::printf("%s\n", length > 0 && length < MAX_PATH ? path : "");
  }
  return 0;
}
