// runner_probe: runs one step of the runner, with the runner's resources, so
// that a test can drive the step's dialogs and message boxes from outside and
// then read what the step decided.
//   runner_probe choose antivirus|firewall OUT
//       ChooseInstallation; OUT gets four lines: result, productVersionIndex,
//       productRegKey, programDir.
//   runner_probe askfolder OUT
//       AskInstallFolder; OUT gets two lines: result, folder.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "discovery/installation.h"

namespace {

int WriteLines(const char* path, const std::string& text) {
  FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return 2;
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  return 0;
}

int Choose(const char* product, const char* outPath) {
  int32_t index = -99;
  std::string key;
  std::string folder;
  int result = ChooseInstallation(RunOptions(), std::strcmp(product, "firewall") == 0, index, key, folder);
  return WriteLines(outPath, std::to_string(result) + "\n" + std::to_string(index) + "\n" + key + "\n" + folder + "\n");
}

int AskFolder(const char* outPath) {
  std::string folder = "unchanged";
  int result = AskInstallFolder(RunOptions(), folder);
  return WriteLines(outPath, std::to_string(result) + "\n" + folder + "\n");
}

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  if (argc == 4 && std::strcmp(argv[1], "choose") == 0) return Choose(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "askfolder") == 0) return AskFolder(argv[2]);
  std::fputs("usage: runner_probe choose antivirus|firewall OUT | askfolder OUT\n", stderr);
  return 2;
}
