// restext: writes every string of a program's string table into a file of
// its own, OUT\ID.txt, in the ANSI code page, so that the scenario scripts
// compare log lines, message boxes and report text with the runner's own
// texts. One run serves a whole scenario: each Wine start costs time.
//   restext PROGRAM OUT
// Exit codes: 0 done, 1 the program, its strings or a file is missing, 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: restext PROGRAM OUT\n", stderr);
    return 2;
  }
  HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    std::fprintf(stderr, "restext: cannot load %s\n", argv[1]);
    return 1;
  }
  int written = 0;
  int status = 0;
  for (UINT id = 0; id <= 0xFFFF; ++id) {  // every id a string table can hold
    char text[4096];
    const int length = LoadStringA(module, id, text, sizeof text);
    if (length <= 0) continue;
    const std::string path = std::string(argv[2]) + "\\" + std::to_string(id) + ".txt";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(text, 1, static_cast<size_t>(length), out) != static_cast<size_t>(length)) {
      std::fprintf(stderr, "restext: cannot write %s\n", path.c_str());
      status = 1;
    }
    if (out != nullptr) std::fclose(out);
    ++written;
  }
  FreeLibrary(module);
  if (written == 0) {
    std::fprintf(stderr, "restext: %s has no strings\n", argv[1]);
    return 1;
  }
  return status;
}
