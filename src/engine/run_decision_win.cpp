#include "engine/run_decision.h"

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "engine/item_decision_input.h"
#include "engine/update_decision.h"

UpdateDecision DecisionForRun(const UpdateRun& run) {
  return [&run](const UpdateCatalog& catalog, UpdateItem& item) {
    item.Needed = uint8_t(DecideUpdate(MakeDecisionInput(catalog, item, run.programDir)));
    return int(item.Needed);
  };
}
