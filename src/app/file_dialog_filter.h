#pragma once
// The file-type filter of the save dialog as the string table holds it:
// description and pattern pairs separated by "|", ended by "||".
#include <string>

// The same filter as the system's file dialogs take it: every "|" character
// becomes a NUL. A trail byte 0x7C of a code page 936 character is not a "|".
std::string FileDialogFilter(const std::string& barSeparated);
