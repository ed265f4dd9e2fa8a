#include "commit/commit_driver.h"

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "commit/commit_finish_win.h"
#include "commit/commit_item_win.h"
#include "commit/commit_selection.h"
#include "commit/self_update_win.h"
#include "platform/ui_win.h"
#include "procctl/stop_product_processes_win.h"
#include "resources/message_ids.h"

namespace {

SelfUpdateRequest SelfUpdateOf(const UpdateRun& run, const UpdateCatalog& catalog) {
  SelfUpdateRequest request{run.selfUpdateFirst, run.packageSourceDir, run.programDir, {}};
  for (const UpdateItem& item : catalog.Items)
    request.files.push_back({item.SourcePath, item.LocalPath + item.FileName});
  return request;
}

}  // namespace

int CommitItems(UpdateRun& run, UpdateCatalog& catalog) {
  if (catalog.ItemListEmpty()) return 0;
  if (run.selfUpdateFirst) {
    if (SelfUpdateHandOff(SelfUpdateOf(run, catalog), run.log) == 1) return 1;
    run.updateIncomplete = 1;
    return 0;
  }

  StopProductProcesses(catalog.CallByList, run,
                       [&](const std::string& name, ProcessStopRecord& record, int32_t& exitType) {
                         return catalog.FindProcess(name, run.programDir, record, exitType) == 1;
                       });
  int result = 1;
  for (const UpdateItem& item : catalog.Items)
    if (ItemQualifies(item, run.catalogTypeMask) && !CommitItem(run, item)) result = 0;
  if (!FinishCommit(run)) result = 0;
  return result;
}

int CheckItemList(UpdateRun& run, const UpdateCatalog& catalog) {
  if (catalog.ItemListEmpty()) {
    run.log.AppendLine(LoadMessage(kMsgAlreadyUpToDate));
    return -1;
  }
  if (PackageDamaged(catalog.Items)) {
    run.log.AppendLine(LoadMessage(kMsgPackageFilesDamaged));
    return 0;
  }
  return 1;
}

int CommitUpdate(UpdateRun& run, UpdateCatalog& catalog) {
  if (int list = CheckItemList(run, catalog); list != 1) return list == 0 ? 0 : 1;
  run.log.AppendLine(LoadMessage(CommitItems(run, catalog) ? kMsgFilesUpdated : kMsgFilesUpdateFailed));
  if (run.updateIncomplete) run.log.AppendLine(LoadMessage(kMsgUpdateAgain));
  return 1;
}
