// The installation a general package updates: the one usable installation,
// the user's choice among several, or the oldest edition's folder asked for.
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
  return -1;
}

}  // namespace

int ChooseInstallation(bool firewall, int32_t& productVersionIndex, std::string& productRegKey,
                       std::string& programDir) {
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
      if (AskInstallFolder(programDir) != 0) return -1;
      EnsureTrailingBackslash(programDir);
      productVersionIndex = 0;
      productRegKey = kOldestEditionKey;
      return 0;
    case InstallationChoice::kAskVersion: {
      VersionChoiceDialog dialog;
      dialog.SetInstallations(found);
      if (dialog.DoModal() != IDOK) return -1;
      int entry = UsableEntryAt(found, dialog.ChosenRow());
      if (entry < 0) return -1;
      choice.entry = size_t(entry);
      break;
    }
    case InstallationChoice::kTake:
      break;
  }
  const InstalledProduct& taken = found[choice.entry];
  productVersionIndex = taken.versionIndex;
  productRegKey = taken.regKey;
  programDir = taken.programDir;
  return 0;
}
