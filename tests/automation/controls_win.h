#pragma once
// Driving the controls of the runner's dialogs as a user would: list-view
// rows (read, click), keys pressed in a control, edit-box text, and the
// shell's folder browser. Works across processes like automation_win.h.
#include <windows.h>

#include <string>

namespace automation {

// Number of rows of a list view; -1 when it is no list view or does not
// answer.
int ListViewRowCount(HWND list);

// Text and image index of row `row`; false when there is no such row.
bool ReadListViewRow(HWND list, int row, std::string& text, int& image);

// Clicks the middle of row `row`'s label with the left button. False when
// the row does not exist or the list's dialog takes no input.
bool ClickListViewRow(HWND list, int row);

// Presses and releases `virtualKey` in `control` (which need not have the
// focus). False when its dialog takes no input.
bool PressKey(HWND control, UINT virtualKey);

// Replaces the text of control `controlId`, as typing it would.
bool SetControlText(HWND dialog, int controlId, const std::string& text);

// Whether `window` is the shell's folder browser: a dialog that holds a tree
// of folders.
bool IsFolderBrowser(HWND window);

// The browser's title line, above its tree.
bool ReadFolderBrowserTitle(HWND browser, std::string& text);

}  // namespace automation
