#include "commit/self_update_win.h"

#include <windows.h>

#include "commit/embedded_programs_win.h"
#include "commit/self_update_entries.h"
#include "log/update_log.h"
#include "paths/folders_win.h"
#include "platform/profile_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

int SelfUpdateHandOff(const SelfUpdateRequest& request, UpdateLog& log) {
  if (!request.selfUpdateFirst) return 0;
  CreateFolderPath(request.packageSourceDir);
  // No pair of an earlier hand-off may survive, even in a read-only file.
  const std::string handOff = request.packageSourceDir + "Update.inf";
  SetFileAttributesA(handOff.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(handOff.c_str());
  for (const auto& [key, value] : SelfUpdateEntries(request.files, request.programDir)) {
    WriteProfileText(handOff, kSelfUpdateSection, key, value);
  }
  bool written = WriteEmbeddedProgram(CarriedProgram::kSelfUpdate, request.packageSourceDir + "UpdateSelf.DAT");
  log.AppendLine(LoadMessage(written ? kMsgSelfUpdated : kMsgSelfUpdateWriteFailed));
  return 1;
}
