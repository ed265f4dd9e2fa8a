#include "platform/ui_win.h"

#include "paths/path_ops.h"

std::string LoadMessage(unsigned id) {
  // The longest text of the table is well below this size.
  char buffer[2048] = {};
  int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? size_t(length) : 0);
}

namespace {

MessageOutlet* g_outlet = nullptr;

std::string ProgramTitle() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name.erase(0, FolderOfPath(name).size());  // character-aware: a trail byte may be 0x5C
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

void SetMessageOutlet(MessageOutlet* outlet) { g_outlet = outlet; }

int ShowMessageBox(const std::string& text, unsigned titleId, UINT style, bool alreadyLogged) {
  if (g_outlet != nullptr) return g_outlet->Take(text, style, alreadyLogged);
  return MessageBoxA(nullptr, text.c_str(), LoadMessage(titleId).c_str(), style);
}

int ShowAppMessageBox(const std::string& text, UINT buttons) {
  if (g_outlet != nullptr) return g_outlet->Take(text, buttons, false);
  UINT icon = (buttons & MB_TYPEMASK) == MB_OK ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
  return MessageBoxA(GetActiveWindow(), text.c_str(), ProgramTitle().c_str(), buttons | icon);
}
