#include "procctl/registry_fix_win.h"
#include "procctl/startup_registry.h"

namespace {

constexpr const char* kServiceUiKey = "SOFTWARE\\Norvance\\AntiVirus\\V4.0\\SvcUI";

}  // namespace

// Added in this order; the list runs them the other way round.
void StartupRegistryFix::AddEntries() {
  Add(std::make_unique<RegistryDwordFix>(HKEY_LOCAL_MACHINE, kServiceUiKey, "MSN", 0));
  Add(std::make_unique<RegistryDwordFix>(HKEY_CURRENT_USER, kServiceUiKey, "MSN", 0));
  Add(std::make_unique<RunValueFix>(RunValueFix::kLocalMachine | RunValueFix::kCurrentUser, "ZMTPFWRun"));
  Add(std::make_unique<RunValueFix>(RunValueFix::kCurrentUser, "ZMTRun"));
}

int FixStartupRegistry() {
  StartupRegistryFix fixes;
  fixes.AddEntries();
  fixes.ApplyAll();
  fixes.Clear();
  return 1;
}
