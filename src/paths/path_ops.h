#pragma once
// Path operations over ANSI strings (code page 936 on the target systems).
// Paths live in 260-byte buffers on the target: at most 259 characters.
#include <string>
#include <vector>

constexpr size_t kMaxPathLength = 259;

bool FitsPathLimit(const std::string& path);

// Width in bytes of the character that starts at byte `at`: 2 for a code page
// 936 lead byte (0x81-0xFE) followed by another byte, else 1.
size_t CharacterWidthAt(const std::string& text, size_t at);

// The text cut at every backslash character (a trail byte 0x5C is not one):
// "a\b" -> {"a", "b"}, "a\" -> {"a", ""}, "" -> {""}.
std::vector<std::string> SplitAtBackslashes(const std::string& path);

// True when the text's last character (not merely its last byte) is a
// backslash. In code page 936 the trail byte of a double-byte character may be
// 0x5C, so the text is scanned character by character.
bool EndsWithBackslash(const std::string& path);

// True when a level of the path (cut at backslashes and slashes) is made of
// dots and blanks only and holds two dots or more: ".." and names such as
// "... " that Windows reads as a climb. A "." level names the folder itself.
bool HasClimbingLevel(const std::string& path);

// True for a path that stays below the folder it is appended to: no drive or
// stream (no colon), no leading backslash or slash, no climbing level.
bool StaysBelowItsFolder(const std::string& path);

// Appends "\" unless the text already ends with one; "" becomes "\".
void EnsureTrailingBackslash(std::string& path);

// The path cut right after its last backslash (character-aware); "" when it
// has none.
std::string FolderOfPath(const std::string& path);

// The folders CreateFolderPath creates for `path`, outermost first: every
// prefix that ends before a backslash, except a bare drive such as "C:", then
// the whole path (empty when the path ends with a backslash).
std::vector<std::string> FolderPathLevels(const std::string& path);

struct MacroFolders {
  const std::string& programDir;
  const std::string& tempDir;
  const std::string& systemDir;
  const std::string& windowsDir;
};

// Expands a catalogue path value in place:
//   ""                                -> defaultDir
//   "%PROGRAMDIR%", "%TEMPDIR%", "%SYSTEMDIR%", "%WINDIR%" (any case) -> that folder
//   contains "%PROGRAMDIR\" (exact case) -> programDir + the text after the first
//                                        backslash without its last character
// and gives the result a trailing backslash. Returns 1 on success. Returns 0,
// leaving the value unchanged, for any other form (such a value cannot name a
// folder of the installation) and when the result would exceed the path limit.
int ExpandPathMacro(std::string& value, const std::string& defaultDir, const MacroFolders& folders);
