#include "controls_win.h"

#include <commctrl.h>

#include <vector>

#include "automation_win.h"
#include "remote_memory_win.h"

namespace automation {
namespace {

constexpr int kRowTextCapacity = 1024;

// Input reaches a control only while its dialog is enabled (no modal window
// over it).
bool TakesInput(HWND control) {
  HWND dialog = GetAncestor(control, GA_ROOT);
  return IsWindow(control) && IsWindowEnabled(control) && dialog != nullptr && IsWindowEnabled(dialog);
}

}  // namespace

int ListViewRowCount(HWND list) {
  // Other controls answer list-view messages with 0 or worse.
  if (ClassOf(list) != WC_LISTVIEWA) return -1;
  DWORD_PTR count = 0;
  return SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0, count) ? int(count) : -1;
}

bool ReadListViewRow(HWND list, int row, std::string& text, int& image) {
  if (row < 0 || row >= ListViewRowCount(list)) return false;
  RemoteMemory memory(list, sizeof(LVITEMA) + kRowTextCapacity);
  if (!memory.IsValid()) return false;
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = memory.Address() + sizeof item;
  item.cchTextMax = kRowTextCapacity;
  DWORD_PTR ok = 0;
  if (!memory.Write(0, &item, sizeof item) ||
      !SendWithTimeout(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.Address()), ok) || !ok) {
    return false;
  }
  std::vector<char> buffer(kRowTextCapacity, '\0');
  if (!memory.Read(0, &item, sizeof item) || !memory.Read(sizeof item, buffer.data(), buffer.size())) return false;
  buffer.back() = '\0';
  text = buffer.data();
  image = item.iImage;
  return true;
}

bool ClickListViewRow(HWND list, int row) {
  if (!TakesInput(list) || row < 0 || row >= ListViewRowCount(list)) return false;
  RemoteMemory memory(list, sizeof(RECT));
  RECT rect{};
  rect.left = LVIR_LABEL;
  DWORD_PTR ok = 0;
  if (!memory.Write(0, &rect, sizeof rect) ||
      !SendWithTimeout(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.Address()), ok) || !ok ||
      !memory.Read(0, &rect, sizeof rect)) {
    return false;
  }
  LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // Posted: the click's handler may open a modal window.
  return PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point) && PostMessageA(list, WM_LBUTTONUP, 0, point);
}

bool PressKey(HWND control, UINT virtualKey) {
  if (!TakesInput(control)) return false;
  UINT scanCode = MapVirtualKeyA(virtualKey, 0);
  LPARAM down = 1 | (LPARAM(scanCode) << 16);
  LPARAM up = down | (LPARAM(1) << 30) | (LPARAM(1) << 31);
  return PostMessageA(control, WM_KEYDOWN, virtualKey, down) && PostMessageA(control, WM_KEYUP, virtualKey, up);
}

bool SetControlText(HWND dialog, int controlId, const std::string& text) {
  HWND control = GetDlgItem(dialog, controlId);
  DWORD_PTR ok = 0;
  return control != nullptr && TakesInput(control) &&
         SendWithTimeout(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), ok) && ok;
}

bool IsFolderBrowser(HWND window) {
  return ClassOf(window) == "#32770" &&
         FindChild(window, [](HWND child) { return ClassOf(child) == WC_TREEVIEWA; }) != nullptr;
}

bool ReadFolderBrowserTitle(HWND browser, std::string& text) {
  if (!IsFolderBrowser(browser)) return false;
  // The title is the first static text control with text.
  HWND title = FindChild(browser, [&text](HWND child) {
    return ClassOf(child) == "Static" && ReadWindowText(child, text) && !text.empty();
  });
  return title != nullptr;
}

}  // namespace automation
