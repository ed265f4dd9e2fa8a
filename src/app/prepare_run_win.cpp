#include <windows.h>

#include <cstdio>

#include "app/edition_names.h"
#include "app/exit_code.h"
#include "app/registry_string.h"
#include "app/run_driver.h"
#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "discovery/installation.h"
#include "engine/run_decision.h"
#include "log/message_text.h"
#include "package/archive.h"
#include "paths/folders_win.h"
#include "paths/path_ops.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

bool EqualsIgnoreCase(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

void ShowStop(unsigned messageId, unsigned titleId, UINT icon = 0) {
  ShowMessageBox(LoadMessage(messageId), titleId, MB_OK | icon);
}

// The folder of a package made for one version: the catalogue's registry key
// names it, or the user is asked for the oldest edition's folder. A choice
// result (installation.h).
int FindSpecialProgramFolder(UpdateRun& run, const UpdateCatalog& catalog) {
  catalog.ReadText("COMMENT", "RegKey", run.productRegKey, 259);
  bool oldestEdition = EqualsIgnoreCase(run.productRegKey, kOldestEditionKey);

  int found = ReadRegistryString(run.productRegKey, "ProgramPath", run.programDir);
  if (found == 1) return kChoiceMade;
  if (found == 0 && ReadRegistryString(run.productRegKey, "Program Path", run.programDir) == 1) return kChoiceMade;

  if (oldestEdition) return AskInstallFolder(run.options, run.programDir);
  if (found == -1) {
    ShowStop(kMsgNoRegistryEntry, kMsgTitleNotice);
    return kChoiceStopped;
  }
  EditionNames names = EditionNamesOf(run.productVersionIndex);
  char text[1024];
  std::snprintf(text, sizeof text, LoadMessage(kMsgInstallFolderNotFound).c_str(), names.edition,
                names.mainProgram);
  ShowMessageBox(text, kMsgTitleNotice, MB_OK);
  return kChoiceStopped;
}

// Stops a run whose log has started: the log is closed first, so that it is
// free for another process while the message waits for the user.
Preparation StopStartedRun(UpdateRun& run, const std::string& text, unsigned titleId, UINT style,
                           bool alreadyLogged = false) {
  run.log.EndRunLog();
  ShowMessageBox(text, titleId, style, alreadyLogged);
  return Preparation::kFailed;
}

// Shows a message, logs it too, and stops.
int StopLogged(UpdateRun& run, unsigned messageId) {
  std::string text = LoadMessage(messageId);
  run.log.AppendLine(text, true);
  StopStartedRun(run, text, kMsgTitleConfirm, MB_OK | MB_ICONINFORMATION, true);
  return 0;
}

// Replacing the product's files needs write access to its folder, which a
// user without administrator rights lacks on NT. Only a refused access counts:
// a full or read-only drive is reported file by file by the commit.
bool ProgramFolderRefusesWriting(const std::string& programDir) {
  const std::string probe = programDir + "SkalUpd.$$$";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_ACCESS_DENIED;
  CloseHandle(file);
  DeleteFileA(probe.c_str());
  return false;
}

// Why the run ends when no installation was chosen.
Preparation AfterChoice(int result) {
  return result == kChoiceRefused ? Preparation::kRefused : Preparation::kFailed;
}

}  // namespace

int CheckInstalledProduct(UpdateRun& run, const UpdateCatalog& catalog) {
  ProductInfo info;
  if (!ReadProductInfo(run.programDir, info)) return StopLogged(run, kMsgProductDataMissing);
  int32_t installedIndex = int32_t(uint32_t(info.majorVersion) >> 16) - 1;
  if (IsSpecialPackage(catalog.PacketType()) && installedIndex != run.productVersionIndex)
    return StopLogged(run, kMsgWrongPackageVersion);
  return 1;
}

Preparation PrepareRun(UpdateRun& run, UpdateCatalog& catalog) {
  if (!InitFolders(run)) return Preparation::kFailed;
  run.packageSourceDir = run.packageDir;

  if (!catalog.OpenCatalogue(run.packageDir + "index.dat", run.tempDir + "index.txt")) {
    ShowStop(kMsgCatalogueDamaged, kMsgTitleError);
    return Preparation::kFailed;
  }

  PackageType type = catalog.PacketType();
  int chosen;
  if (IsSpecialPackage(type)) {
    run.productVersionIndex = catalog.HeaderVersion();
    chosen = FindSpecialProgramFolder(run, catalog);
  } else {
    chosen = ChooseInstallation(run.options, type == kGeneralFirewall, run.productVersionIndex, run.productRegKey,
                                run.programDir);
  }
  if (chosen != kChoiceMade) return AfterChoice(chosen);
  EnsureTrailingBackslash(run.programDir);

  run.info.OpenUpdateInfo(run.programDir + "UpdInfo.DAT", run.tempDir + "UpdInfo.INI");
  run.ResetForRun(run.info.ReadInfoInt("Comment", "DisplayVerFlag", 0));
  run.log.StartRunLog();
  if (!run.options.ignoredArguments.empty())
    run.log.AppendLine(FormatMessageText(LoadMessage(kMsgBadSwitch), {run.options.ignoredArguments}), true);
  run.packageFilesDir = run.packageDir;

  if (!CheckInstalledProduct(run, catalog)) return Preparation::kFailed;
  if (ProgramFolderRefusesWriting(run.programDir))
    return StopStartedRun(run, FormatMessageText(LoadMessage(kMsgNeedsAdministrator), {run.programDir}),
                          kMsgTitleError, MB_OK);

  // The archive's folder comes from the catalogue: one that leaves the
  // package folder makes the catalogue damaged, before anything is written.
  std::string pathName;
  if (!catalog.ArchiveFolder(pathName))
    return StopStartedRun(run, LoadMessage(kMsgCatalogueDamaged), kMsgTitleError, MB_OK);
  std::string archiveFolder = run.packageDir + pathName + "\\";
  if (!FitsPathLimit(archiveFolder + "ZMTUPD.DAT") ||
      !ExtractPackageArchive(archiveFolder + "ZMTUPD.DAT", archiveFolder, &run.extractedCrcs))
    return StopStartedRun(run, LoadMessage(kMsgArchiveDamaged), kMsgTitleError, MB_OK);

  // A failed load has logged the message itself.
  if (!catalog.LoadCatalogue(run.packageDir + "index.dat", run, DecisionForRun(run)))
    return StopStartedRun(run, LoadMessage(kMsgCatalogueDamaged), kMsgTitleError, MB_OK, true);
  return Preparation::kReady;
}
