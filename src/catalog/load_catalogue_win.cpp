// The full catalogue load, with the machine's registry, files, string table
// and the run's log.
#include <new>

#include "app/update_run.h"
#include "catalog/update_catalog.h"
#include "engine/crc32.h"
#include "engine/file_crc32.h"
#include "engine/item_step.h"
#include "platform/registry_reader_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

namespace {

// A package copy that the extraction wrote is checked against the CRC-32 of
// the bytes it wrote; any other file is read.
int PackageCopyMatches(const ExtractedCrcs& extracted, const std::string& path, const std::string& crc) {
  const auto found = extracted.find(path);
  if (found == extracted.end()) return MatchesCrc(path, crc.c_str());
  return found->second == CrcFromText(crc.c_str()) ? 1 : 0;
}

int Walk(UpdateCatalog& catalog, UpdateRun& run, const UpdateDecision& decide) {
  ItemStepContext step{
      MacroFolders{run.programDir, run.tempDir, run.systemDir, run.windowsDir},
      decide,
      [&run](const std::string& path, const std::string& crc) {
        return PackageCopyMatches(run.extractedCrcs, path, crc);
      },
      [&run](const std::string& line) { run.log.AppendLine(line, true); },
      LoadMessage(kMsgSourceDamaged),
  };
  WindowsRegistryReader registry;
  CatalogueWalk walk{
      registry,
      {LoadMessage(kMsgTypeProgram), LoadMessage(kMsgTypeEngine), LoadMessage(kMsgTypeDatabase)},
      [&step](UpdateCatalog& c, const std::string& section, const std::string& folder) {
        return ReadItem(c, section, folder, step);
      },
  };
  return catalog.ReadCatalogue(run.productRegKey, run.packageFilesDir, walk);
}

}  // namespace

int UpdateCatalog::LoadCatalogue(const std::string& packedPath, UpdateRun& run, const UpdateDecision& decide) {
  int loaded = 0;
  try {
    loaded = OpenCatalogue(packedPath, run.tempDir + "index.txt") && Walk(*this, run, decide);
  } catch (const std::bad_alloc&) {
    loaded = 0;
  }
  if (!loaded) {
    run.log.AppendLine(LoadMessage(kMsgCatalogueDamaged), true);
    return 0;
  }
  run.catalogTypeMask = TypeMask();
  run.selfUpdateFirst = SelfUpdateFirst ? 1 : 0;
  return 1;
}
