#pragma once
// The folders the restart-time replacements work in, both ending with a
// backslash: the Windows folder (Win.ini, WinStart.bat, the Attrib command)
// and the temporary folder (staged files, ZMTMove.BAT, CopyFile.ini and the
// programs written out for the next start).
#include <string>

struct RestartFolders {
  std::string windowsDir;
  std::string tempDir;
};
