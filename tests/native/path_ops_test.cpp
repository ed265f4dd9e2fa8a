#include "paths/path_ops.h"

#include <gtest/gtest.h>

namespace {

struct Folders {
  std::string program = "C:\\Program Files\\Skal\\";
  std::string temp = "C:\\TEMP\\";
  std::string system = "C:\\WINDOWS\\SYSTEM\\";
  std::string windows = "C:\\WINDOWS\\";
  MacroFolders Macros() const { return MacroFolders{program, temp, system, windows}; }
};

// A value and the folder it names; "" where the value is refused and left as
// it was.
TEST(ExpandPathMacro, WholeAndSubFolderMacrosInAnyCaseOthersRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"%PROGRAMDIR%", "C:\\Program Files\\Skal\\"}, {"%programdir%", "C:\\Program Files\\Skal\\"},
      {"%TempDir%", "C:\\TEMP\\"}, {"%systemdir%", "C:\\WINDOWS\\SYSTEM\\"}, {"%WINDIR%", "C:\\WINDOWS\\"},
      {"", "D:\\Default\\"},  // the default, with its backslash
      // The sub-folder form drops its closing character, whatever it is.
      {"%PROGRAMDIR\\Data%", "C:\\Program Files\\Skal\\Data\\"},
      {"%PROGRAMDIR\\Data\\", "C:\\Program Files\\Skal\\Data\\"},
      {"%PROGRAMDIR\\Data", "C:\\Program Files\\Skal\\Dat\\"},
      {"%PROGRAMDIR\\", "C:\\Program Files\\Skal\\"},
      {"%PROGRAMDIR\\a\\b%", "C:\\Program Files\\Skal\\a\\b\\"},
      // GBK "数据" with no closing character: the last character, two bytes, goes.
      {"%PROGRAMDIR\\\xCA\xFD\xBE\xDD", "C:\\Program Files\\Skal\\\xCA\xFD\\"},
      {"%programdir\\Data%", ""}, {"D:\\Data", ""}, {"Data", ""}, {"%PROGRAMDIR", ""},
  };
  const Folders f;
  for (const auto& [original, expected] : cases) {
    std::string value = original;
    EXPECT_EQ(ExpandPathMacro(value, "D:\\Default", f.Macros()), expected.empty() ? 0 : 1) << original;
    EXPECT_EQ(value, expected.empty() ? original : expected) << original;
  }
}

TEST(ExpandPathMacro, RefusesResultsBeyondThePathLimit) {
  Folders f;
  f.program = "C:\\" + std::string(250, 'p') + "\\";
  std::string fits = "%PROGRAMDIR\\abc%";  // 254 + "abc\" = 258 characters
  EXPECT_EQ(ExpandPathMacro(fits, "", f.Macros()), 1);
  EXPECT_EQ(fits.size(), 258u);
  std::string tooLong = "%PROGRAMDIR\\abcdefg%";
  EXPECT_EQ(ExpandPathMacro(tooLong, "", f.Macros()), 0);
  EXPECT_EQ(tooLong, "%PROGRAMDIR\\abcdefg%");
}

TEST(TrailingBackslash, AddedOnlyWhenMissing) {
  std::string empty, plain = "C:\\a", ends = "C:\\a\\";
  EnsureTrailingBackslash(empty);
  EnsureTrailingBackslash(plain);
  EnsureTrailingBackslash(ends);
  EXPECT_EQ(empty, "\\");
  EXPECT_EQ(plain, "C:\\a\\");
  EXPECT_EQ(ends, "C:\\a\\");
}

TEST(TrailingBackslash, TrailByte5CIsNotABackslash) {
  // GBK 0x95 0x5C is one character whose second byte equals '\'.
  std::string path = "C:\\\x95\x5C";
  EXPECT_FALSE(EndsWithBackslash(path));
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path, "C:\\\x95\x5C\\");
  EXPECT_EQ(FolderOfPath("C:\\dir\\\x95\x5C" "a.exe"), "C:\\dir\\");
}

TEST(FolderPathLevels, CreatesEachLevelButNeverTheDrive) {
  EXPECT_EQ(FolderPathLevels("C:\\a\\b"), (std::vector<std::string>{"C:\\a", "C:\\a\\b"}));
  EXPECT_EQ(FolderPathLevels("C:\\a\\b\\"), (std::vector<std::string>{"C:\\a", "C:\\a\\b", ""}));
  EXPECT_EQ(FolderPathLevels("a"), (std::vector<std::string>{"a"}));
}

TEST(SplitAtBackslashes, CutsAtBackslashCharactersOnly) {
  EXPECT_EQ(SplitAtBackslashes("a\\b"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitAtBackslashes("\\a\\"), (std::vector<std::string>{"", "a", ""}));
  EXPECT_EQ(SplitAtBackslashes(""), (std::vector<std::string>{""}));
  // GBK 0x81 0x5C is one character; the backslash after it separates.
  EXPECT_EQ(SplitAtBackslashes("\x81\x5C\\b"), (std::vector<std::string>{"\x81\x5C", "b"}));
  // A lead byte at the very end stands alone: the width is 1.
  EXPECT_EQ(CharacterWidthAt("a\x81", 1), 1u);
  EXPECT_EQ(CharacterWidthAt("\x81\x5C", 0), 2u);
}

TEST(FolderOfPath, CutsAfterTheLastBackslash) {
  EXPECT_EQ(FolderOfPath("C:\\pkg\\SkalUpd.exe"), "C:\\pkg\\");
  EXPECT_EQ(FolderOfPath("SkalUpd.exe"), "");
}

}  // namespace
