// skal_layout: lays out one simulated installation of the antivirus or the
// firewall for scripts and the demo (registry key, "ProgramPath", program
// folder, ISKAL.DAT, marker file, ZMTSKAL.DLL copied from beside this
// program), or removes every simulated key.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim_layout_win.h"

namespace {

enum ExitCode { kDone = 0, kFailed = 1, kUsage = 2 };

const char kUsageText[] =
    "usage: skal_layout antivirus|firewall VERSION [OPTION...]\n"
    "       skal_layout clear\n"
    "Creates HKLM\\SOFTWARE\\Norvance\\AntiVirus|ZmtPFW\\V<VERSION>.0 (VERSION 1 to 10).\n"
    "  --folder DIR     program folder: \"ProgramPath\" and the folder's files;\n"
    "                   without it the key stays empty\n"
    "  --caption TEXT   MainFormCaption in ISKAL.DAT (default: none)\n"
    "  --major N        MajorVersion in ISKAL.DAT (default: VERSION << 16)\n"
    "  --unusable       leave out the marker file (zmt9x.exe for antivirus V1,\n"
    "                   else ISKAL.DAT), so the runner skips the installation\n"
    "  --no-library     leave out ZMTSKAL.DLL\n"
    "clear removes the keys of both products under HKLM and HKCU.\n"
    "Exit codes: 0 done, 1 something could not be made, 2 usage.\n";

int Usage() {
  std::fputs(kUsageText, stderr);
  return kUsage;
}

bool ParseInt(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 0);
  return *text != '\0' && *end == '\0';
}

bool ParseProduct(const char* text, sim::Product& product) {
  if (std::strcmp(text, "antivirus") == 0) {
    product = sim::Product::kAntivirus;
    return true;
  }
  if (std::strcmp(text, "firewall") == 0) {
    product = sim::Product::kFirewall;
    return true;
  }
  return false;
}

// The options after PRODUCT VERSION; false on anything unknown or incomplete.
bool ParseOptions(int argc, char** argv, sim::Installation& installation) {
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    long number = 0;
    if (option == "--folder" && hasValue && argv[i + 1][0] != '\0') {
      installation.folder = argv[++i];
      if (installation.folder.back() != '\\') installation.folder += '\\';
    } else if (option == "--caption" && hasValue) {
      installation.caption = argv[++i];
    } else if (option == "--major" && hasValue && ParseInt(argv[i + 1], number) && number >= 0) {
      installation.majorVersion = static_cast<int32_t>(number);
      ++i;
    } else if (option == "--unusable") {
      installation.marker = false;
    } else if (option == "--no-library") {
      installation.library = false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "clear") == 0) {
    sim::RemoveProductKeys();
    return kDone;
  }
  sim::Installation installation;
  long version = 0;
  if (argc < 3 || !ParseProduct(argv[1], installation.product) || !ParseInt(argv[2], version) || version < 1 ||
      version > 10 || !ParseOptions(argc, argv, installation)) {
    return Usage();
  }
  installation.version = static_cast<int>(version);
  if (!sim::LayOut(installation)) {
    const std::string key = sim::ProductKey(installation.product, installation.version);
    std::fprintf(stderr, "skal_layout: could not lay out %s\n", key.c_str());
    return kFailed;
  }
  return kDone;
}
