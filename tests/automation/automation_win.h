#pragma once
// Drives the windows of another process the way a user would: find a window
// by its caption, read control texts, press buttons, answer message boxes.
// Texts are ANSI (code page 936) bytes. Works across processes: every message
// used is one that Windows (and Wine) marshals between processes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace automation {

// What a caller looks for in a window.
using WindowTest = std::function<bool(HWND)>;

// The window class name of `window`.
std::string ClassOf(HWND window);

// The first child window of `parent`, at any depth, that passes `fits`; NULL
// when none does.
HWND FindChild(HWND parent, const WindowTest& fits);

// SendMessage that gives up when the window does not answer within a few
// seconds or is gone (false then).
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);

// The topmost visible top-level window that passes `fits`, polled for until
// one does or `timeoutMs` pass; NULL then.
HWND WaitForTopWindow(const WindowTest& fits, DWORD timeoutMs);

// Whether the caption of `window` is exactly `caption`. Read without sending
// the window a message, so that a hung program cannot block the caller.
bool HasCaption(HWND window, const std::string& caption);

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
