#include <random>

#include "package_plan.h"
#include "package_writer.h"
#include "verbs.h"

namespace {

// "--seed N" anywhere among the arguments; the rest are SRC and OUT.
bool ParseBuildArgs(const VerbArgs& args, std::vector<std::string>& paths, bool& seeded, uint64_t& seed) {
  seeded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--seed") {
      paths.push_back(args[i]);
      continue;
    }
    if (seeded || i + 1 == args.size()) return false;
    const std::string& text = args[++i];
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) return false;
    seed = std::stoull(text);
    seeded = true;
  }
  return paths.size() == 2;
}

}  // namespace

int RunBuild(const VerbArgs& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> paths;
  bool seeded = false;
  uint64_t seed = 0;
  if (!ParseBuildArgs(args, paths, seeded, seed)) {
    err << "usage: pkgtool build [--seed N] SRC OUT\n";
    return kExitUsage;
  }
  if (!seeded) seed = (uint64_t(std::random_device()()) << 32) | std::random_device()();

  PackagePlan plan;
  std::vector<std::string> problems;
  if (!PlanPackage(paths[0], plan, problems)) {
    for (const std::string& problem : problems) err << "pkgtool: " << problem << "\n";
    err << "pkgtool: nothing written to " << paths[1] << "\n";
    return kExitFailed;
  }
  std::string error;
  if (!WritePackage(plan, seed, paths[1], error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  out << "built " << paths[1] << ": " << plan.members.size() << " archive entries, " << plan.copies.size()
      << " other files\n";
  return kExitOk;
}
