#pragma once
// The system's save-file dialog.
#include <windows.h>

#include <string>

// Asks for a file to save to, proposing `proposedName`; `filter` is the
// NUL-separated filter list, `defaultExtension` is added to a name typed
// without one. Hides the read-only box and asks before an existing file is
// replaced. True with the chosen path; false when cancelled.
bool AskSaveFileName(HWND owner, const std::string& filter, const char* defaultExtension,
                     const std::string& proposedName, std::string& path);
