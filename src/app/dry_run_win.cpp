#include "app/dry_run_win.h"

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "commit/commit_driver.h"
#include "commit/commit_selection.h"
#include "engine/item_decision_input.h"
#include "engine/update_decision.h"
#include "log/message_text.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

unsigned ReasonMessage(NeedReason reason) {
  switch (reason) {
    case NeedReason::kMissing: return kMsgReasonMissing;
    case NeedReason::kOlderDate: return kMsgReasonOlderDate;
    case NeedReason::kDriverOlder: return kMsgReasonDriverOlder;
    case NeedReason::kDatabaseVersion: return kMsgReasonDatabaseVersion;
    case NeedReason::kAlways: return kMsgReasonAlways;
    default: return kMsgReasonCrcDiffers;
  }
}

}  // namespace

int UpdateOrList(UpdateRun& run, UpdateCatalog& catalog) {
  return run.options.listOnly ? ListNeededItems(run, catalog) : CommitUpdate(run, catalog);
}

int ListNeededItems(UpdateRun& run, UpdateCatalog& catalog) {
  if (int list = CheckItemList(run, catalog); list != 1) return list == 0 ? 0 : 1;
  int count = 0;
  for (const UpdateItem& item : catalog.Items) {
    if (!ItemQualifies(item, run.catalogTypeMask)) continue;
    // Nothing has changed since the item step, so the decision gives the same answer, now with its reason.
    const NeedReason reason = DecideUpdateReason(MakeDecisionInput(catalog, item, run.programDir));
    run.log.AppendLine(FormatMessageText(LoadMessage(kMsgListedItem),
                                         {item.LocalPath, item.FileName, LoadMessage(ReasonMessage(reason))}));
    ++count;
  }
  run.log.AppendLine(FormatMessageText(LoadMessage(kMsgListedCount), {std::to_string(count)}));
  return 1;
}
