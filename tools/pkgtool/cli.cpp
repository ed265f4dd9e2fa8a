#include "cli.h"

#include "verb_table.h"

namespace {

// What pkgtool --version prints.
constexpr const char* kPkgtoolVersion = "1.1";

void PrintUsage(std::ostream& to) {
  to << "usage: pkgtool VERB ARGUMENTS...\n";
  for (const Verb& verb : AllVerbs())
    to << "  pkgtool " << verb.name << " " << verb.arguments << "\n      " << verb.summary << "\n";
  to << "  pkgtool VERB --help\n      what VERB takes, its exit codes and an example\n"
     << "  pkgtool --version\n      the version of pkgtool\n";
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  if (IsHelp(args[0]) && args.size() == 1) {
    PrintUsage(out);
    return kExitOk;
  }
  if (args[0] == "--version" && args.size() == 1) {
    out << "pkgtool " << kPkgtoolVersion << "\n";
    return kExitOk;
  }
  for (const Verb& verb : AllVerbs()) {
    if (args[0] != verb.name) continue;
    VerbArgs rest(args.begin() + 1, args.end());
    if (rest.size() == 1 && IsHelp(rest[0])) {
      PrintVerbHelp(verb, out);
      return kExitOk;
    }
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
