#include "engine/item_decision_input.h"

#include "catalog/update_catalog.h"
#include "catalog/update_item.h"
#include "engine/item_keys.h"

DecisionInput MakeDecisionInput(const UpdateCatalog& catalog, const UpdateItem& item, const std::string& programDir) {
  DecisionInput input;
  input.FileName = item.FileName;
  input.LocalPath = item.LocalPath;
  input.Version = item.Version;
  input.CRC = item.CRC;
  input.CheckVersionMethod = item.CheckVersionMethod;
  input.Belong = item.Belong;
  const ItemTextKey& old = item_keys::kOldVersion;
  if (item.CheckVersionMethod == 7) input.OldVersion = catalog.ReadString(item.SectionName, old.name, "0", old.limit);
  input.ComponentMask = catalog.ComponentMask;
  input.programDir = programDir;
  return input;
}
