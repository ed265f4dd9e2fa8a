#pragma once
// Texts of the string table and message boxes.
#include <windows.h>

#include <string>

// The string-table text `id` in the ANSI code page; empty when missing.
std::string LoadMessage(unsigned id);

// Where the program's message boxes go. Without an outlet they are shown;
// an unattended run sets one that writes them down instead.
class MessageOutlet {
 public:
  virtual ~MessageOutlet() = default;
  // Takes the text in place of a message box and returns the button that
  // stands for the answer. `alreadyLogged`: the caller has logged the text.
  virtual int Take(const std::string& text, UINT style, bool alreadyLogged) = 0;
};

// Sends every later message box to `outlet` (null: show them again).
void SetMessageOutlet(MessageOutlet* outlet);

// A message box without owner window; returns the button pressed.
// `alreadyLogged` tells an outlet that the caller has logged the text.
int ShowMessageBox(const std::string& text, unsigned titleId, UINT style, bool alreadyLogged = false);

// A message box as the application shows it: captioned with the program's
// name (its file name without extension), owned by the active window, with
// the exclamation icon for OK alone and the question icon for Yes/No.
int ShowAppMessageBox(const std::string& text, UINT buttons);
