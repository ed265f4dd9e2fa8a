#include "platform/ui_win.h"

std::string LoadMessage(unsigned id) {
  // The longest text of the table is well below this size.
  char buffer[2048] = {};
  int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? size_t(length) : 0);
}

int ShowMessageBox(const std::string& text, unsigned titleId, UINT style) {
  return MessageBoxA(nullptr, text.c_str(), LoadMessage(titleId).c_str(), style);
}
