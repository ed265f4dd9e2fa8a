#pragma once
// Texts of the string table and message boxes.
#include <windows.h>

#include <string>

// The string-table text `id` in the ANSI code page; empty when missing.
std::string LoadMessage(unsigned id);

// A message box without owner window; returns the button pressed.
int ShowMessageBox(const std::string& text, unsigned titleId, UINT style);
