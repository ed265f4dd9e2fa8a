#pragma once
// Text of an INI file as the profile functions see it: code page 936 bytes in
// which every character is either one byte or a lead byte (0x81..0xFE)
// followed by a valid trail byte. A trail byte may look like '[', ']', '\' or
// an ASCII letter, so everything that looks at characters steps with
// CharLength rather than byte by byte.
#include <cstddef>
#include <string>
#include <string_view>

namespace ini_text {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// Length in bytes of the character at `pos` of normalised text.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// The blanks the profile functions trim: tab, LF, VT, FF, CR, space and ^Z
// (DOS end of file). The ideographic space of code page 936 is not one.
inline bool IsBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; }

// Code page 936 bytes made regular: a lead byte always takes the next byte
// with it, and a pair whose second byte is no valid trail byte, like a lead
// byte at the very end, becomes one '?'. This is what a round trip through
// Unicode makes of them, so a lead byte before a line break swallows it.
std::string Normalize(std::string_view bytes);

// The same for a name or default handed to a lookup, where a lead byte at the
// very end is dropped rather than made '?'.
std::string NormalizeArgument(std::string_view bytes);

// Whole file to normalised text: a UTF-8 byte order mark or a UTF-16 one
// (either byte order) selects that encoding; anything else is code page 936.
// Characters of UTF-8 or UTF-16 files outside ASCII come out as '?'.
std::string DecodeFile(std::string_view bytes);

// Bytes of the longest prefix of whole characters no longer than `maxBytes`.
std::size_t FitPrefix(std::string_view text, std::size_t maxBytes);

// Number of characters of the text.
std::size_t CountChars(std::string_view text);

// Number of bytes taken by the first `maxChars` characters.
std::size_t CharsPrefix(std::string_view text, std::size_t maxChars);

// Text cut at its first NUL byte, as a C string would end there.
inline std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// Key for comparing names without regard to case: ASCII letters that stand
// alone as characters are lower-cased; double-byte characters stay as they are.
std::string FoldCase(std::string_view text);

}  // namespace ini_text
