// iniread: prints a value of an INI file as a program reads it through the
// profile functions (which, under Wine, find Win.ini's [windows] section in
// the registry). Prints nothing when the value is missing.
//   iniread FILE SECTION KEY
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: iniread FILE SECTION KEY\n", stderr);
    return 2;
  }
  char value[32 * 1024] = {};
  GetPrivateProfileStringA(argv[2], argv[3], "", value, sizeof value, argv[1]);
  std::printf("%s\n", value);
  return 0;
}
