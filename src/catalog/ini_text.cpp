#include "catalog/ini_text.h"

#include <cstdint>

namespace ini_text {

namespace {

std::string NormalizeBytes(std::string_view bytes, bool dropLoneLeadAtEnd) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!IsLeadByte(c)) {
      out += static_cast<char>(c);
    } else if (i + 1 == bytes.size()) {
      if (!dropLoneLeadAtEnd) out += '?';
    } else if (IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
      out += static_cast<char>(c);
      out += bytes[++i];
    } else {
      out += '?';
      ++i;  // the pair goes as one character, whatever its second byte
    }
  }
  return out;
}

}  // namespace

std::string Normalize(std::string_view bytes) { return NormalizeBytes(bytes, false); }

std::string NormalizeArgument(std::string_view bytes) { return NormalizeBytes(bytes, true); }

namespace {

// A UTF-16 code unit or a decoded code point in the ANSI text.
void AppendUnit(std::string& out, std::uint32_t unit) { out += unit < 0x80 ? static_cast<char>(unit) : '?'; }

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    AppendUnit(out, bigEndian ? (a << 8 | b) : (b << 8 | a));
  }
  return out;
}

std::string DecodeUtf8(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + length > bytes.size()) length = 1;
    AppendUnit(out, c < 0x80 ? c : 0x80);
    i += length;
  }
  return out;
}

}  // namespace

std::string DecodeFile(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return DecodeUtf8(bytes.substr(3));
  if (bytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(bytes.substr(2), false);
  if (bytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(bytes.substr(2), true);
  return Normalize(bytes);
}

std::size_t FitPrefix(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t next = pos + CharLength(text, pos);
    if (next > maxBytes) break;
    pos = next;
  }
  return pos;
}

std::size_t CountChars(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++n;
  return n;
}

std::size_t CharsPrefix(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < maxChars && pos < text.size(); ++n) pos += CharLength(text, pos);
  return pos;
}

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  // A trail byte is never a blank, so trimming from the end is safe bytewise.
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i))
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return out;
}

}  // namespace ini_text
