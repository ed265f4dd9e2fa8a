#pragma once
// Which installation a general package updates, decided from the scan alone;
// the Windows side carries the decision out (dialogs, messages).
#include <cstddef>
#include <vector>

#include "discovery/installed_product.h"

struct InstallationChoice {
  enum Action {
    kTake,            // the one usable installation, `entry`
    kAskVersion,      // several are usable: the user picks one
    kAskFolder,       // only the oldest edition, without a program path: ask for its folder
    kNoInstallation,  // the registry knows none (message 44)
    kDamaged,         // none is usable (message 45)
  };
  Action action;
  size_t entry = 0;
};

InstallationChoice DecideInstallation(const std::vector<InstalledProduct>& found);

// Index into `found` of the usable entry at position `row` among the usable
// entries; -1 when there is none.
int UsableEntryAt(const std::vector<InstalledProduct>& found, size_t row);
