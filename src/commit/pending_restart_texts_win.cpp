#include "commit/pending_restart_texts_win.h"

#include "platform/file_system_win.h"
#include "platform/registry_value_win.h"
#include "platform/whole_file.h"

std::vector<std::string> PendingRestartTexts(const RestartFolders& folders) {
  std::vector<std::string> texts;
  std::string text;
  const RegistryKey sessionManager(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                   KEY_QUERY_VALUE);
  if (ReadRegistryBytes(sessionManager, "PendingFileRenameOperations", text)) texts.push_back(text);
  for (const std::string& path :
       {folders.windowsDir + "wininit.ini", folders.tempDir + "ZMTMove.BAT", folders.tempDir + "CopyFile.ini"}) {
    if (ReadWholeFile(SystemFileSystem(), path, text)) texts.push_back(text);
  }
  return texts;
}
