#pragma once
// Driving the system's save-file dialog of another process: tell it apart,
// read the proposed file name, type a path and save.
#include <windows.h>

#include <string>

namespace automation {

// Whether `window` is a save-file dialog: a dialog with a file name field.
bool IsSaveDialog(HWND window);

// The text of the dialog's file name field.
bool ReadSaveFileName(HWND dialog, std::string& name);

// Types `path` into the file name field and presses the Save button. Returns
// at once: the dialog may close or ask before replacing a file.
bool SaveAs(HWND dialog, const std::string& path);

}  // namespace automation
