#pragma once
// The shell's folder browser.
#include <windows.h>

#include <string>

// Lets the user pick a file-system folder under the desktop; the browser's
// status line shows the path of the folder under the selection. 1 with the
// chosen folder in `folder`; 0 when cancelled (`folder` emptied) or when the
// choice has no file-system path.
int BrowseForFolder(std::string& folder, const std::string& title, HWND owner);
