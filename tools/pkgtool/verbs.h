#pragma once
// pkgtool's verbs. Each takes its own arguments (the verb name removed),
// writes results to `out` and a one-line reason to `err` on failure, and
// returns the process exit status.
#include <ostream>
#include <string>
#include <vector>

using VerbArgs = std::vector<std::string>;

int RunPack(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunUnpack(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunCrc32(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunExtract(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunBuild(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunInspect(const VerbArgs& args, std::ostream& out, std::ostream& err);
int RunHarvest(const VerbArgs& args, std::ostream& out, std::ostream& err);

// Exit statuses shared by all verbs.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
