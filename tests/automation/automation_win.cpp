#include "automation_win.h"

namespace automation {
namespace {

constexpr DWORD kPollMs = 50;
// A window that does not answer within this time counts as hung.
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

struct WindowSearch {
  const WindowTest* fits;
  HWND found;
};

BOOL CALLBACK StopAtFirstFit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (!(*search->fits)(window)) return TRUE;
  search->found = window;
  return FALSE;
}

struct ProcessSearch {
  DWORD processId;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ProcessSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->windows->push_back(window);
  return TRUE;
}

// A message box holds only texts, its icon and buttons; a dialog whose label
// happens to have the id 0xFFFF (-1, the usual id of labels) holds more.
HWND MessageStatic(HWND window) {
  if (!IsWindow(window) || ClassOf(window) != "#32770") return nullptr;
  HWND found = FindChild(window, [](HWND child) {
    return (GetDlgCtrlID(child) & 0xFFFF) == kMessageBoxTextId && ClassOf(child) == "Static";
  });
  const bool otherControl = found != nullptr && FindChild(window, [](HWND child) {
                              const std::string kind = ClassOf(child);
                              return kind != "Static" && kind != "Button";
                            }) != nullptr;
  return otherControl ? nullptr : found;
}

HWND FindTopWindow(const WindowTest& fits) {
  // EnumWindows goes through the top-level windows from the top down.
  const WindowTest visibleFit = [&fits](HWND window) { return IsWindowVisible(window) && fits(window); };
  WindowSearch search{&visibleFit, nullptr};
  EnumWindows(StopAtFirstFit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND FindChild(HWND parent, const WindowTest& fits) {
  WindowSearch search{&fits, nullptr};
  EnumChildWindows(parent, StopAtFirstFit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ClassOf(HWND window) {
  char name[256];
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

HWND WaitForTopWindow(const WindowTest& fits, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindTopWindow(fits)) return window;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

bool HasCaption(HWND window, const std::string& caption) {
  // GetWindowTextA reads another process's caption without a message.
  char text[512];
  int length = GetWindowTextA(window, text, sizeof text);
  return length >= 0 && caption.compare(0, std::string::npos, text, length) == 0;
}

std::vector<HWND> ProcessWindows(DWORD processId) {
  std::vector<HWND> windows;
  ProcessSearch search{processId, &windows};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return windows;
}

bool ReadWindowText(HWND window, std::string& text) {
  // The text may change between asking its length and copying it (a report
  // replacing "Updating..."); a copy that fills the buffer may have been cut,
  // so it is read again with the new length.
  for (int attempt = 0; attempt < 10; ++attempt) {
    DWORD_PTR length = 0;
    if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, length)) return false;
    // The length may count UTF-16 units; a GBK character takes up to two
    // bytes, so a whole text never comes within two bytes of the buffer end.
    std::string buffer(length * 2 + 3, '\0');
    DWORD_PTR copied = 0;
    if (!SendWithTimeout(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied)) {
      return false;
    }
    if (copied + 2 < buffer.size()) {
      text.assign(buffer.data(), copied);
      return true;
    }
  }
  return false;
}

bool ReadControlText(HWND dialog, int controlId, std::string& text) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr && ReadWindowText(control, text);
}

bool PressButton(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
  // A dialog disabled by a modal window over it takes no clicks.
  if (!IsWindowEnabled(dialog)) return false;
  // Posted, not sent: the handler may run a modal loop (another dialog or a
  // message box) that would otherwise block the caller until it closes.
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool IsMessageBox(HWND window) { return MessageStatic(window) != nullptr; }

bool ReadMessageBoxText(HWND box, std::string& text) {
  HWND message = MessageStatic(box);
  return message != nullptr && ReadWindowText(message, text);
}

bool AnswerMessageBox(HWND box, int buttonId) {
  switch (buttonId) {
    case IDOK:
    case IDYES:
    case IDNO:
    case IDCANCEL:
      return IsMessageBox(box) && PressButton(box, buttonId);
    default:
      return false;
  }
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace automation
