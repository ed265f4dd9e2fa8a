#include "commit/commit_selection.h"

#include <algorithm>

bool ItemQualifies(const UpdateItem& item, uint32_t catalogTypeMask) {
  return item.SourceState == kSourceIntact && (item.TypeId & catalogTypeMask) != 0 && item.Needed != 0;
}

bool PackageDamaged(const std::forward_list<UpdateItem>& items) {
  return std::any_of(items.begin(), items.end(),
                     [](const UpdateItem& item) { return item.SourceState == kSourceDamaged; });
}
