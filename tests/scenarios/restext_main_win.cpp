// restext: writes every string of a program's string table into a file of
// its own, OUT\ID.txt, in the ANSI code page, so that the scenario scripts
// compare log lines, message boxes and report text with the runner's own
// texts. One run serves a whole scenario: each Wine start costs time.
//   restext PROGRAM OUT
// Exit codes: 0 done, 1 the program, its string table or a file is missing,
// 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kStringsPerBlock = 16;

struct Output {
  const char* folder;
  int written = 0;
  bool failed = false;
};

// A string table block named N holds the strings (N - 1) * 16 to N * 16 - 1.
BOOL CALLBACK WriteBlock(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
  auto* output = reinterpret_cast<Output*>(param);
  if (!IS_INTRESOURCE(name)) return TRUE;
  const UINT first = (static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)) - 1) * kStringsPerBlock;
  for (UINT id = first; id < first + kStringsPerBlock; ++id) {
    char text[4096];
    const int length = LoadStringA(module, id, text, sizeof text);
    if (length <= 0) continue;
    const std::string path = std::string(output->folder) + "\\" + std::to_string(id) + ".txt";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(text, 1, static_cast<size_t>(length), out) != static_cast<size_t>(length)) {
      std::fprintf(stderr, "restext: cannot write %s\n", path.c_str());
      output->failed = true;
    }
    if (out != nullptr) std::fclose(out);
    ++output->written;
  }
  return TRUE;
}

}  // namespace

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
  Output output{argv[2]};
  EnumResourceNamesA(module, RT_STRING, WriteBlock, reinterpret_cast<LONG_PTR>(&output));
  FreeLibrary(module);
  if (output.written == 0) std::fprintf(stderr, "restext: %s has no strings\n", argv[1]);
  return output.written == 0 || output.failed ? 1 : 0;
}
