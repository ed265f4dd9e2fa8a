#include "catalog/ini_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Read(const IniFile& ini, const char* section, const char* key, std::size_t size = 256) {
  return ini.ReadString(section, key, "DEF", size);
}

TEST(IniFile, NamesMatchWithoutAsciiCaseAndSurroundingBlanks) {
  const IniFile ini("  [ Sec A ]  \r\n  Key1 \t=\t  value 1  \r\n\x1akey2\x0b=\x0cv\r\n[\tT\t]junk\r\nk = x = y\r\n");
  EXPECT_EQ(Read(ini, "sec a", "KEY1"), "value 1");
  EXPECT_EQ(Read(ini, " Sec A\t", " key1 "), "value 1");
  EXPECT_EQ(Read(ini, "Sec A", "key2"), "v");  // ^Z, VT and FF are blanks too
  EXPECT_EQ(Read(ini, "t", "k"), "x = y");     // split at the first '='; text after ']' lost
}

TEST(IniFile, DoubleByteCharactersAreComparedExactly) {
  // Trail bytes that look like ']' or ASCII letters belong to their character.
  const IniFile ini("[\x95\x5C\x81\x5D]\r\nk=\x95\x5C\r\n[\x81\x41]\r\n\x81\x41=trail\r\n[\xA3\xC1]\r\nk=full\r\n[\x81\x5D\r\nk=x\r\n");
  EXPECT_EQ(Read(ini, "\x95\x5C\x81\x5D", "K"), "\x95\x5C");
  EXPECT_EQ(Read(ini, "\x81\x41", "\x81\x41"), "trail");
  EXPECT_EQ(Read(ini, "\x81\x61", "\x81\x41"), "DEF");
  EXPECT_EQ(Read(ini, "\x81\x41", "\x81\x61"), "DEF");
  EXPECT_EQ(Read(ini, "\xA3\xE1", "k"), "DEF");  // full-width letters have no case here
  EXPECT_EQ(Read(ini, "\x81\x5D", "k"), "DEF");  // "[" plus a character ending in 0x5D is no header
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
  const IniFile ini("[d]\r\nk=1\r\nbare\r\nbare=later\r\n=empty name\r\nK=2\r\n[D]\r\nk=3\r\nonly=second\r\n");
  EXPECT_EQ(Read(ini, "d", "k"), "1");
  EXPECT_EQ(Read(ini, "d", "bare"), "DEF");  // a line without '=' hides later values
  EXPECT_EQ(Read(ini, "d", ""), "empty name");
  EXPECT_EQ(Read(ini, "d", "only"), "DEF");
  EXPECT_EQ(ini.AllSectionNames(), (std::vector<std::string>{"d", "D"}));
}

TEST(IniFile, NoCommentsLineEndsAndHeadersWithoutNames) {
  const IniFile ini("top=1\r\n[]\r\nk=e\r\n[c]\n;k=semi\r#k=hash\r\n\r\n[x]y]z\rk=last");
  EXPECT_EQ(Read(ini, "c", ";k"), "semi");
  EXPECT_EQ(Read(ini, "c", "#k"), "hash");
  EXPECT_EQ(Read(ini, "x]y", "k"), "last");
  EXPECT_EQ(Read(ini, "", "top"), "1");  // lines before the first header
  EXPECT_EQ(Read(ini, "", "k"), "DEF");  // "[]" is never reached
  EXPECT_EQ(ini.AllSectionNames(), (std::vector<std::string>{"c", "x]y"}));
}

TEST(IniFile, QuotesAndDefaults) {
  const IniFile ini("[q]\r\na=\"abc\"\r\nb='x'\r\nc=\"open\r\nd=\"a\" b \"\r\ne=\"\r\nf=''\r\ng='mixed\"\r\n");
  EXPECT_EQ(Read(ini, "q", "a"), "abc");
  EXPECT_EQ(Read(ini, "q", "b"), "x");
  EXPECT_EQ(Read(ini, "q", "c"), "\"open");
  EXPECT_EQ(Read(ini, "q", "d"), "a\" b ");
  EXPECT_EQ(Read(ini, "q", "e"), "\"");
  EXPECT_EQ(Read(ini, "q", "f"), "");
  EXPECT_EQ(Read(ini, "q", "g"), "'mixed\"");
  EXPECT_EQ(ini.ReadString("q", "none", "ab  ", 256), "ab");
  EXPECT_EQ(ini.ReadString("q", "none", "   ", 256), " ");
  EXPECT_EQ(ini.ReadString("q", "none", "\"q\"\t", 256), "\"q\"\t");
  EXPECT_EQ(ini.ReadString("q", "none", "'q'", 256), "q");
}

TEST(IniFile, ValuesAreCutToWholeCharactersInsideTheBuffer) {
  const IniFile ini("[s]\r\nv=\xD6\xD0\xCE\xC4" "ab\r\nq=\"abc\"\r\n");
  EXPECT_EQ(Read(ini, "s", "v", 0), "");
  EXPECT_EQ(Read(ini, "s", "v", 1), "");
  EXPECT_EQ(Read(ini, "s", "v", 2), "");
  EXPECT_EQ(Read(ini, "s", "v", 4), "\xD6\xD0");
  EXPECT_EQ(Read(ini, "s", "v", 6), "\xD6\xD0\xCE\xC4" "a");
  EXPECT_EQ(Read(ini, "s", "q", 4), "abc");  // Wine gives "ab" here
  EXPECT_EQ(Read(ini, "s", "q", 3), "ab");
  EXPECT_EQ(ini.ReadString("s", "none", "default", 4), "def");
}

TEST(IniFile, BytesThatAreNoCharacterBecomeQuestionMarks) {
  // A lead byte takes the next byte along, a line break included.
  const char text[] = "[s]\r\na=x\x81\r\nb=y\r\nc=\x81 z\r\nd=\x80\xFF\r\nn=x\0y\r\ng=end\x81";
  const IniFile ini(std::string(text, sizeof text - 1));
  EXPECT_EQ(Read(ini, "s", "a"), "x?");
  EXPECT_EQ(Read(ini, "s", "b"), "y");
  EXPECT_EQ(Read(ini, "s", "c"), "?z");
  EXPECT_EQ(Read(ini, "s", "d"), "\x80\xFF");
  EXPECT_EQ(Read(ini, "s", "n"), "x");
  EXPECT_EQ(Read(ini, "s", "g"), "end?");
  EXPECT_EQ(Read(ini, "s\x81", "b\x81"), "y");  // a lone lead byte ending a name is dropped
}

TEST(IniFile, ByteOrderMarksSelectTheEncoding) {
  EXPECT_EQ(Read(IniFile("\xEF\xBB\xBF[u]\r\nk=v\xE4\xB8\xAD\r\n"), "u", "k"), "v?");
  EXPECT_EQ(Read(IniFile(std::string("\xFF\xFE[\0w\0]\0\n\0k\0=\0v\0", 16)), "w", "k"), "v");
  EXPECT_EQ(Read(IniFile(std::string("\xFE\xFF\0[\0w\0]\0\n\0k\0=\0v", 16)), "w", "k"), "v");
}

TEST(IniFile, Integers) {
  const IniFile ini(
      "[i]\r\na=42\r\nb=  -17 \r\nc=+5\r\nd=0x1F\r\ne=0X1F\r\nf=12abc\r\ng=abc\r\nh=\r\nk=4294967297\r\n"
      "m=\"123\"\r\nw=\" 5\"\r\nn=0b101\r\no=0o17\r\np=-0x10\r\nq=010\r\nr=2147483648\r\ns=\x01" "7\r\nu=-\r\nv=\"\"\r\nbare\r\n"
      "long=" + std::string(29, '0') + "9\r\n");  // only 29 characters are read
  const std::pair<const char*, int> expected[] = {
      {"a", 42}, {"b", -17}, {"c", 5}, {"d", 31}, {"e", 0}, {"f", 12}, {"g", 0}, {"h", 77}, {"k", 1},
      {"m", 123}, {"w", 5}, {"n", 5}, {"o", 15}, {"p", -16}, {"q", 10}, {"r", INT32_MIN}, {"s", 7}, {"u", 0},
      {"v", 77}, {"bare", 77}, {"missing", 77}, {"long", 0}};
  for (const auto& [key, value] : expected) EXPECT_EQ(ini.ReadInt("i", key, 77), value) << key;
}

TEST(IniFile, SectionNamesInABuffer) {
  const IniFile ini("[Sec A]\r\n[\xD6\xD0\xCE\xC4]\r\n[b]\r\n");
  using namespace std::string_literals;
  EXPECT_EQ(ini.SectionNames(0), "");
  EXPECT_EQ(ini.SectionNames(1), "\0"s);
  EXPECT_EQ(ini.SectionNames(2), "\0\0"s);
  EXPECT_EQ(ini.SectionNames(5), "Sec\0\0"s);
  EXPECT_EQ(ini.SectionNames(10), "Sec A\0\xD6\xD0\0\0"s);  // cut by characters, then by bytes
  EXPECT_EQ(ini.SectionNames(16), "Sec A\0\xD6\xD0\xCE\xC4\0b\0\0\0\0"s);
}

TEST(IniFile, AllSectionNamesHasNoSizeLimit) {
  std::string file;
  for (int i = 0; i < 3000; ++i) file += "[ZMT" + std::to_string(10000 + i) + ".DAT]\r\nk=" + std::to_string(i) + "\r\n";
  const IniFile ini(file);
  ASSERT_EQ(ini.AllSectionNames().size(), 3000u);
  EXPECT_EQ(ini.AllSectionNames().back(), "ZMT12999.DAT");
  EXPECT_EQ(ini.ReadInt("zmt12999.dat", "K", -1), 2999);
  EXPECT_EQ(ini.SectionNames(10240).find("ZMT12999"), std::string::npos);  // the fixed buffer loses it
}

}  // namespace
