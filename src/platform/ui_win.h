#pragma once
// Texts of the string table and message boxes.
#include <windows.h>

#include <string>

// The string-table text `id` in the ANSI code page; empty when missing.
std::string LoadMessage(unsigned id);

// A message box without owner window; returns the button pressed.
int ShowMessageBox(const std::string& text, unsigned titleId, UINT style);

// A message box as the application shows it: captioned with the program's
// name (its file name without extension), owned by the active window, with
// the exclamation icon for OK alone and the question icon for Yes/No.
int ShowAppMessageBox(const std::string& text, UINT buttons);
