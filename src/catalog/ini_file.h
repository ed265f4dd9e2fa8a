#pragma once
// An INI file parsed once from its bytes (code page 936), answering lookups as
// GetPrivateProfileStringA, GetPrivateProfileIntA and
// GetPrivateProfileSectionNamesA answer them on the same file. The rules, and
// the few places where this reader deliberately answers otherwise, are described
// in docs/ini-reader.md.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniFile {
 public:
  explicit IniFile(std::string_view fileBytes);

  // What GetPrivateProfileStringA leaves in a zero-filled buffer of
  // `bufferSize` bytes: the value of the first `key` in the first section
  // named `section` (names without regard to ASCII case, blanks around them
  // ignored), else `defaultValue` less its trailing spaces; one pair of
  // matching quotes around it removed; cut to whole characters within
  // bufferSize - 1 bytes.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize) const;

  // GetPrivateProfileIntA: `defaultValue` when the key is absent, has no '=' or
  // an empty value; otherwise the number at the start of the value.
  std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

  // What GetPrivateProfileSectionNamesA leaves in a zero-filled buffer of
  // `bufferSize` bytes: each name followed by a NUL, then one more NUL; names
  // that do not fit are cut. The result is exactly bufferSize bytes long.
  std::string SectionNames(std::size_t bufferSize) const;

  // Every named section in file order, however many there are. A name given
  // twice appears twice, though lookups only ever see the first.
  const std::vector<std::string>& AllSectionNames() const { return sectionNames_; }

 private:
  struct Entry {
    std::string value;
    bool hasValue;  // false for a line without '=': lookups give the default
  };

  void ParseLine(std::string_view line, std::uint32_t& section);
  const Entry* Find(std::string_view section, std::string_view key) const;

  std::vector<std::string> sectionNames_;                       // named sections only
  std::unordered_map<std::string, std::uint32_t> sectionIds_;   // folded name -> first section
  std::unordered_map<std::string, std::uint32_t> entryIds_;     // section id + folded key -> first entry
  std::vector<Entry> entries_;
  std::uint32_t sectionCount_ = 0;
};
