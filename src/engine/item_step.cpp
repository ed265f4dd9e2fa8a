#include "engine/item_step.h"

#include "catalog/catalogue_flags.h"
#include "catalog/update_catalog.h"
#include "engine/item_keys.h"
#include "log/message_text.h"

int ReadItem(UpdateCatalog& catalog, const std::string& sectionName, const std::string& packageFilesDir,
             const ItemStepContext& context) {
  const ItemTextKey& flag = item_keys::kUpdateFileFlag;
  if (!IsTrueFlag(catalog.ReadString(sectionName, flag.name, "", flag.limit))) return 1;

  UpdateItem item;
  item.SectionName = sectionName;
  if (!ParseItem(catalog, item, packageFilesDir, context.folders)) return 0;
  if (!context.decide(catalog, item)) return 1;

  // A needed file whose package copy is missing or damaged stays in the list,
  // marked, so that the commit leaves it alone; the log says which file.
  if (context.matchesCrc(item.SourcePath, item.CRC)) {
    item.SourceState = kSourceIntact;
  } else {
    item.SourceState = kSourceDamaged;
    context.appendLogLine(FormatMessageText(context.sourceDamagedText, {item.SourcePath}));
  }

  catalog.Items.push_front(std::move(item));
  const UpdateItem& kept = catalog.Items.front();
  catalog.AddCallBy(kept.CallBy);
  if (kept.UpdateRelative == 1 && catalog.NewUpdateSelfFirstFlag != 0) catalog.SelfUpdateFirst = true;
  return 1;
}
