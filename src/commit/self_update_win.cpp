#include "commit/self_update_win.h"

#include "commit/embedded_programs_win.h"
#include "log/update_log.h"
#include "paths/folders_win.h"
#include "platform/file_system_win.h"
#include "platform/ui_win.h"
#include "resources/message_ids.h"

int SelfUpdateHandOff(const SelfUpdateRequest& request, UpdateLog& log) {
  if (!request.selfUpdateFirst) return 0;
  CreateFolderPath(request.packageSourceDir);
  const std::string program = EmbeddedProgramBytes(CarriedProgram::kSelfUpdate);
  const bool written = !program.empty() && WriteSelfUpdateHandOff(SystemFileSystem(), request, program);
  log.AppendLine(LoadMessage(written ? kMsgSelfUpdated : kMsgSelfUpdateWriteFailed));
  return written ? 1 : -1;
}
