#include "commit/embedded_programs_win.h"

#include <windows.h>

#include "platform/file_system_win.h"
#include "platform/whole_file.h"
#include "resources/carried_ids.h"

namespace {

int ResourceId(CarriedProgram program) {
  switch (program) {
    case CarriedProgram::kSelfUpdate: return IDR_CARRIED_SELF_UPDATE;
    case CarriedProgram::kMover: return IDR_CARRIED_MOVER;
    case CarriedProgram::kCopyProgram: return IDR_CARRIED_COPY_PROGRAM;
  }
  return 0;
}

}  // namespace

std::string EmbeddedProgramBytes(CarriedProgram program) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(ResourceId(program)), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = found ? SizeofResource(self, found) : 0;
  return bytes ? std::string(static_cast<const char*>(bytes), size) : std::string();
}

int WriteEmbeddedProgram(CarriedProgram program, const std::string& path) {
  const std::string bytes = EmbeddedProgramBytes(program);
  // A cut-off program must not be left where it would be started.
  return !bytes.empty() && WriteFlushedFile(SystemFileSystem(), path, bytes) ? 1 : 0;
}
