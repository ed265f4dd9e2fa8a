#include "procctl/registry_fix_win.h"

#include "paths/path_ops.h"
#include "platform/registry_win.h"

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

int RegistryDwordFix::Apply() {
  RegistryKey key(root_, keyPath_, KEY_ALL_ACCESS);
  return key.IsOpen() && key.WriteDword(valueName_, value_) == ERROR_SUCCESS ? 1 : 0;
}

int RunValueFix::Apply() {
  std::string name = valueName_.substr(FolderOfPath(valueName_).size());
  int result = 0;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    unsigned bit = root == HKEY_LOCAL_MACHINE ? kLocalMachine : kCurrentUser;
    if (!(rootMask_ & bit)) continue;
    RegistryKey run(root, kRunKey, KEY_ALL_ACCESS, RegistryKey::kCreateIfMissing);
    if (run.IsOpen()) run.DeleteValue(name);  // a value already gone is no failure
    result = run.IsOpen() ? 1 : 0;
  }
  return result;
}

int RegistryFixList::ApplyAll() {
  for (const auto& fix : fixes_) fix->Apply();
  return 1;
}

int RegistryFixList::Add(std::unique_ptr<RegistryFix> fix) {
  if (fix == nullptr) return 0;
  fixes_.push_front(std::move(fix));
  return 1;
}
