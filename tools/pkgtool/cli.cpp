#include "cli.h"

#include <iomanip>

#include "verbs.h"

namespace {

struct Verb {
  const char* name;
  const char* arguments;
  size_t minArgs;
  size_t maxArgs;  // 0: no upper bound
  const char* summary;
  int (*run)(const VerbArgs&, std::ostream&, std::ostream&);
};

constexpr Verb kVerbs[] = {
    {"pack", "IN OUT", 2, 2, "pack the file IN into the packed file OUT", RunPack},
    {"unpack", "IN OUT", 2, 2, "unpack the packed file IN into OUT", RunUnpack},
    {"crc32", "FILE...", 1, 0, "print the CRC-32 of each FILE", RunCrc32},
    {"extract", "ARCHIVE DEST", 2, 2, "extract every entry of the package archive ARCHIVE into DEST", RunExtract},
    {"build", "[--seed N] SRC OUT", 2, 4, "build a package in OUT from SRC (catalog.ini and files/)", RunBuild},
    {"inspect", "DIR", 1, 1, "list the package in DIR and verify its files", RunInspect},
};

void PrintUsage(std::ostream& to) {
  to << "usage: pkgtool VERB ARGUMENTS...\n";
  for (const Verb& verb : kVerbs) {
    std::string call = std::string(verb.name) + " " + verb.arguments;
    to << "  pkgtool " << std::left << std::setw(20) << call << " " << verb.summary << "\n";
  }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  for (const Verb& verb : kVerbs) {
    if (args[0] != verb.name) continue;
    VerbArgs rest(args.begin() + 1, args.end());
    if (rest.size() < verb.minArgs || (verb.maxArgs != 0 && rest.size() > verb.maxArgs)) {
      err << "usage: pkgtool " << verb.name << " " << verb.arguments << "\n";
      return kExitUsage;
    }
    return verb.run(rest, out, err);
  }
  err << "pkgtool: unknown verb '" << args[0] << "'\n";
  PrintUsage(err);
  return kExitUsage;
}
