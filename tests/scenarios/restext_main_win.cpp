// restext: writes strings of a program's string table into files, OUT\ID.txt
// for each ID, in the ANSI code page, so that the scenario scripts compare log
// lines, message boxes and report text with the runner's own texts.
//   restext PROGRAM OUT ID...
// Exit codes: 0 done, 1 the program or a string is missing, 2 usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: restext PROGRAM OUT ID...\n", stderr);
    return 2;
  }
  HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    std::fprintf(stderr, "restext: cannot load %s\n", argv[1]);
    return 1;
  }
  int status = 0;
  for (int i = 3; i < argc; ++i) {
    char text[4096] = {};
    const int length = LoadStringA(module, static_cast<UINT>(std::atoi(argv[i])), text, sizeof text);
    const std::string path = std::string(argv[2]) + "\\" + argv[i] + ".txt";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (length <= 0 || out == nullptr) {
      std::fprintf(stderr, "restext: no string %s\n", argv[i]);
      status = 1;
    }
    if (out != nullptr) {
      std::fwrite(text, 1, static_cast<size_t>(length > 0 ? length : 0), out);
      std::fclose(out);
    }
  }
  FreeLibrary(module);
  return status;
}
