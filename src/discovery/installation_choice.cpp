#include "discovery/installation_choice.h"

namespace {

bool IsOldestWithoutPath(const InstalledProduct& product) {
  return product.versionIndex == 0 && product.programDir.empty();
}

}  // namespace

InstallationChoice DecideInstallation(const std::vector<InstalledProduct>& found) {
  if (found.empty()) return {InstallationChoice::kNoInstallation};
  size_t usable = 0;
  size_t firstUsable = 0;
  for (size_t i = found.size(); i-- > 0;) {
    if (found[i].usable) {
      ++usable;
      firstUsable = i;
    }
  }
  if (usable == 1) return {InstallationChoice::kTake, firstUsable};
  if (usable > 1) return {InstallationChoice::kAskVersion};

  // None usable: only the oldest edition's missing path can be made good, and
  // only when it stands alone or beside an unusable registry version 6.
  if (found.size() == 1 && IsOldestWithoutPath(found[0])) return {InstallationChoice::kAskFolder};
  if (found.size() == 2) {
    for (size_t i = 0; i < 2; ++i) {
      if (IsOldestWithoutPath(found[i]) && found[1 - i].versionIndex == 5) return {InstallationChoice::kAskFolder};
    }
  }
  return {InstallationChoice::kDamaged};
}

int UsableEntryAt(const std::vector<InstalledProduct>& found, size_t row) {
  for (size_t i = 0; i < found.size(); ++i) {
    if (!found[i].usable) continue;
    if (row == 0) return int(i);
    --row;
  }
  return -1;
}
