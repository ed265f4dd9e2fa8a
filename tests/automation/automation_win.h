#pragma once
// Drives the windows of another process the way a user would: find a window
// by its caption, read control texts, press buttons, answer message boxes.
// Texts are ANSI (code page 936) bytes. Works across processes: every message
// used is one that Windows (and Wine) marshals between processes.
#include <windows.h>

#include <string>
#include <vector>

namespace automation {

// A visible top-level window whose caption is exactly `caption`, owned by
// process `processId` (0: any process); NULL when there is none.
HWND FindWindowByCaption(const std::string& caption, DWORD processId = 0);

// Polls for FindWindowByCaption until it succeeds or `timeoutMs` pass.
HWND WaitForWindow(const std::string& caption, DWORD timeoutMs, DWORD processId = 0);

// The visible top-level windows of process `processId`, in Z order.
std::vector<HWND> ProcessWindows(DWORD processId);

// Caption or control text, through WM_GETTEXT; false when the window does not
// answer within a few seconds or is gone.
bool ReadWindowText(HWND window, std::string& text);

// The text of control `controlId` of `dialog`; false when there is no such
// control or it does not answer.
bool ReadControlText(HWND dialog, int controlId, std::string& text);

// Presses button `buttonId` of `dialog` as a click would: the dialog gets
// WM_COMMAND/BN_CLICKED. Returns at once (the dialog may open another window).
// False when the button is missing, hidden or disabled: a user could not
// press it either.
bool PressButton(HWND dialog, int buttonId);

// True for a message box: a dialog (class #32770) with the message static,
// whose control id is 0xFFFF, and no controls but texts and buttons.
bool IsMessageBox(HWND window);

// The message text of a message box; false when `box` is not one.
bool ReadMessageBoxText(HWND box, std::string& text);

// Answers a message box with IDOK, IDYES, IDNO or IDCANCEL; false when `box`
// is not a message box or has no such button.
bool AnswerMessageBox(HWND box, int buttonId);

// Waits up to `timeoutMs` for `window` to be destroyed.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

}  // namespace automation
