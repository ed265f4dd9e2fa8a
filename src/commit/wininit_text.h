#pragma once
// Wininit.ini as text. Windows 95/98/Me carry out its [rename] section once
// at start-up, before the graphical system loads: "NUL=file" deletes the
// file, "destination=source" moves the source onto the destination. The
// section may name NUL many times, so it is edited as text, never through
// the profile-string functions.
#include <string>
#include <vector>

// The header written when the file has no [rename] section yet.
extern const char kRenameHeader[];

// Copy with A-Z folded to a-z; the two bytes of a code page 936 character
// stay as they are, so a trail byte that looks like a letter is not folded.
std::string FoldCase(const std::string& text);
bool EqualsIgnoringCase(const std::string& a, const std::string& b);

// The entry lines (without line ends) of the first [rename] section, the one
// the start-up program reads; empty when there is none.
std::vector<std::string> RenameSectionLines(const std::string& iniText);

struct RenameMerge {
  bool changed = false;  // the text differs from the input and must be written
  std::string text;      // the whole file text after the merge
};

// Adds `block` (entry lines, each ended by CR LF or LF) to the [rename]
// section of `iniText`. A block already standing in that section as
// consecutive lines, in any letter case and with any line ends, is not added
// again: a second "NUL=destination" after an earlier move would delete the
// file just put in place. The header is found in any letter case and with
// CR LF, LF or no line end after it; the block goes directly under it, each
// line ended by CR LF, and every other byte stays as it was. Without a
// section, CR LF, the header, CR LF and the block are appended. An empty
// block changes nothing.
RenameMerge MergeRenameBlock(const std::string& iniText, const std::string& block);

// Points the section's line "destination=oldSource" (in any letter case) at
// `newSource` instead; every other byte stays. Unchanged when the section
// has no such line.
RenameMerge RetargetRenameLine(const std::string& iniText, const std::string& destination,
                               const std::string& oldSource, const std::string& newSource);
