#include "cli.h"

#include <algorithm>
#include <iomanip>
#include <utility>

#include "verb_table.h"

namespace {

void PrintUsage(std::ostream& to) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (const Verb& verb : AllVerbs()) lines.emplace_back(std::string(verb.name) + " " + verb.arguments, verb.summary);
  lines.emplace_back("VERB --help", "what VERB takes, its exit codes and an example");
  lines.emplace_back("--version", "the version of pkgtool");
  size_t width = 0;
  for (const auto& line : lines) width = std::max(width, line.first.size());
  to << "usage: pkgtool VERB ARGUMENTS...\n";
  for (const auto& [call, summary] : lines) to << "  pkgtool " << std::left << std::setw(int(width)) << call << "  " << summary << "\n";
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
    out << "pkgtool " << PKGTOOL_VERSION << "\n";
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
