#include "commit/self_update_handoff.h"

#include "commit/self_update_entries.h"
#include "platform/whole_file.h"

namespace {

// The section as the profile functions would write it.
std::string HandOffText(const SelfUpdateRequest& request) {
  std::string text = std::string("[") + kSelfUpdateSection + "]\r\n";
  for (const auto& [key, value] : SelfUpdateEntries(request.files, request.programDir))
    text += key + "=" + value + "\r\n";
  return text;
}

}  // namespace

bool WriteSelfUpdateHandOff(FileSystem& files, const SelfUpdateRequest& request, const std::string& program) {
  // No pair of an earlier hand-off may survive, even in a read-only file.
  const std::string handOff = request.packageSourceDir + "Update.inf";
  const std::string programPath = request.packageSourceDir + "UpdateSelf.DAT";
  const std::string fresh = handOff + ".new";
  if (PathExists(files, handOff)) {
    files.SetAttributes(handOff, kAttributeNormal);
    if (!files.Delete(handOff)) return false;
  }
  if (!WriteFlushedFile(files, programPath, program)) return false;
  if (WriteFlushedFile(files, fresh, HandOffText(request)) && files.Move(fresh, handOff)) return true;
  files.Delete(fresh);
  files.Delete(programPath);
  return false;
}
