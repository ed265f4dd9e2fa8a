// The installation a general package updates: the one usable installation,
// the user's choice among several, or the oldest edition's folder asked for.
#include <cstdio>

#include "app/edition_names.h"
#include "discovery/install_folder_dialog_win.h"
#include "discovery/installation.h"
#include "discovery/installation_choice.h"
#include "discovery/installation_scan.h"
#include "discovery/version_choice_dialog_win.h"
#include "paths/path_ops.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

int Stop(unsigned messageId) {
  ShowMessageBox(LoadMessage(messageId), kMsgTitleNotice, MB_OK);
  return kChoiceStopped;
}

int Refuse(const std::string& text) {
  ShowMessageBox(text, kMsgTitleNotice, MB_OK);
  return kChoiceRefused;
}

// The usable installation under registry key V<version>.0, refused when there
// is none.
int TakeNamedVersion(int32_t version, const std::vector<InstalledProduct>& found, size_t& entry) {
  for (size_t i = 0; i < found.size(); ++i) {
    if (found[i].usable && found[i].versionIndex == version - 1) {
      entry = i;
      return kChoiceMade;
    }
  }
  char text[512];
  std::snprintf(text, sizeof text, LoadMessage(kMsgNamedVersionMissing).c_str(), int(version));
  return Refuse(text);
}

// The user's pick among several usable installations.
int AskVersion(const std::vector<InstalledProduct>& found, size_t& entry) {
  VersionChoiceDialog dialog;
  dialog.SetInstallations(found);
  if (dialog.DoModal() != IDOK) return kChoiceStopped;
  int usable = UsableEntryAt(found, dialog.ChosenRow());
  if (usable < 0) return kChoiceStopped;
  entry = size_t(usable);
  return kChoiceMade;
}

// Which usable installation to take: the one the command line names (even
// where there is only one to take), else the only one, else the user's pick,
// which a silent run refuses.
int PickUsable(const RunOptions& options, const std::vector<InstalledProduct>& found, InstallationChoice& choice) {
  if (options.version != 0) return TakeNamedVersion(options.version, found, choice.entry);
  if (choice.action == InstallationChoice::kTake) return kChoiceMade;
  if (options.silent) return Refuse(LoadMessage(kMsgVersionNotNamed));
  return AskVersion(found, choice.entry);
}

}  // namespace

int ChooseInstallation(const RunOptions& options, bool firewall, int32_t& productVersionIndex,
                       std::string& productRegKey, std::string& programDir) {
  std::vector<InstalledProduct> found;
  if (!EnumerateInstallations(firewall ? 1 : 0, found)) return Stop(kMsgNoInstallation);

  InstallationChoice choice = DecideInstallation(found);
  switch (choice.action) {
    case InstallationChoice::kNoInstallation:
      return Stop(kMsgNoInstallation);
    case InstallationChoice::kDamaged:
      return Stop(kMsgInstallationDamaged);
    case InstallationChoice::kAskFolder:
      // The folder of the oldest antivirus edition, for a firewall package too.
      if (int result = AskInstallFolder(options, programDir); result != kChoiceMade) return result;
      EnsureTrailingBackslash(programDir);
      productVersionIndex = 0;
      productRegKey = kOldestEditionKey;
      return kChoiceMade;
    case InstallationChoice::kAskVersion:
    case InstallationChoice::kTake:
      if (int result = PickUsable(options, found, choice); result != kChoiceMade) return result;
      break;
  }
  const InstalledProduct& taken = found[choice.entry];
  productVersionIndex = taken.versionIndex;
  productRegKey = taken.regKey;
  programDir = taken.programDir;
  return kChoiceMade;
}
