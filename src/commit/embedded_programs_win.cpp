#include "commit/embedded_programs_win.h"

#include <windows.h>

#include "platform/file_win.h"
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

int WriteEmbeddedProgram(CarriedProgram program, const std::string& path) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(ResourceId(program)), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = found ? SizeofResource(self, found) : 0;
  if (!bytes || size == 0) return 0;

  // CreateFileA refuses to replace a read-only file on Windows; Wine running
  // as root would not, so the rule is made explicit.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return 0;
  FileHandle file(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE);
  if (!file.IsOpen()) return 0;
  if (file.WriteAll(bytes, size)) return 1;
  // A cut-off program must not be left where it would be started.
  file.Close();
  DeleteFileA(path.c_str());
  return 0;
}
