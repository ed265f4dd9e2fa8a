#pragma once
// Adds keys to a section of a catalogue text, leaving every other byte alone.
#include <string>
#include <vector>

// Inserts `lines` (each "Key=value") right after the header line of the first
// section named `section` (without regard to case), where they take precedence
// over later lines of the same keys. False when no such header exists.
bool InsertKeyLines(std::string& text, const std::string& section, const std::vector<std::string>& lines);
