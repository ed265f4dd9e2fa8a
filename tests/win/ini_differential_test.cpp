// Our INI reader against Wine's profile functions on the same files: a corpus
// of hand-made tricky files plus generated ones, each asked for every section
// and key it contains, absent ones, case and blank variants, at many buffer
// sizes. The deliberate differences (docs/ini-reader.md) are tested natively.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "catalog/ini_file.h"
#include "catalog/ini_text.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

const std::size_t kSizes[] = {0, 1, 2, 3, 4, 5, 7, 16, 300};

std::string WineString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& def, std::size_t size) {
  std::vector<char> buffer(size + 1, '\0');  // zero-filled: see docs/ini-reader.md on stale bytes
  GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(), DWORD(size), path.c_str());
  return std::string(buffer.data());
}

std::string WineNames(const std::string& path, std::size_t size) {
  std::string buffer(size, '\0');
  GetPrivateProfileSectionNamesA(size ? &buffer[0] : nullptr, DWORD(size), path.c_str());
  return buffer;
}

// ASCII letters swapped: `everyByte` also swaps trail bytes of double-byte
// characters, which must make a different name.
std::string SwapCase(const std::string& s, bool everyByte) {
  std::string out = s;
  for (std::size_t i = 0; i < out.size(); i += everyByte ? 1 : ini_text::CharLength(out, i)) {
    char& c = out[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c ^= 0x20;
  }
  return out;
}

// Every line's text before '=' (or the whole line): the keys worth asking for.
std::set<std::string> KeyCandidates(const std::string& bytes) {
  std::set<std::string> keys = {"", "missing", " k ", "\tK"};
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(pos, end - pos);
    line = line.substr(0, line.find('\0'));
    const std::string name = line.substr(0, line.find('='));
    for (const std::string& k : {name, SwapCase(name, false), SwapCase(name, true), std::string(ini_text::TrimBlanks(name))})
      if (keys.size() < 60) keys.insert(k);
    pos = end + 1;
  }
  return keys;
}

// The one deliberate difference in values: for a quoted value whose text is
// exactly one character short of filling the buffer, Wine drops its last
// character as well as the closing quote.
bool IsQuoteCutDifference(const std::string& ours, const std::string& wine, const std::string& whole, std::size_t size) {
  return !ours.empty() && ours == whole && ini_text::CountChars(whole) + 1 == size &&
         wine == ours.substr(0, ours.size() - ini_text::CharLength(ours, ours.size() - 1));
}

void CompareFile(const std::string& folder, const std::string& name, const std::string& bytes) {
  SCOPED_TRACE(name + ": " + ::testing::PrintToString(bytes));
  const std::string path = folder + name + ".ini";
  ASSERT_TRUE(WriteWholeFile(path, bytes));
  const IniFile ours(bytes);

  std::set<std::string> sections = {"", "missing", " missing "};
  for (const std::string& s : ours.AllSectionNames())
    for (const std::string& v : {s, SwapCase(s, false), SwapCase(s, true), " " + s + "\t", s + "x"}) sections.insert(v);
  const std::set<std::string> keys = KeyCandidates(bytes);

  for (const std::string& section : sections)
    for (const std::string& key : keys) {
      SCOPED_TRACE("[" + ::testing::PrintToString(section) + "] " + ::testing::PrintToString(key));
      const std::string whole = ours.ReadString(section, key, "d\"", 1 << 20);
      for (std::size_t size : kSizes) {
        const std::string mine = ours.ReadString(section, key, "d\"", size);
        const std::string wine = WineString(path, section, key, "d\"", size);
        if (!IsQuoteCutDifference(mine, wine, whole, size)) {
          EXPECT_EQ(mine, wine) << size;
        }
      }
      EXPECT_EQ(ours.ReadInt(section, key, 77), INT(GetPrivateProfileIntA(section.c_str(), key.c_str(), 77, path.c_str())));
    }

  std::size_t total = 1;
  for (const std::string& s : ours.AllSectionNames()) total += s.size() + 1;
  for (std::size_t size = 0; size <= total + 2; ++size) EXPECT_EQ(ours.SectionNames(size), WineNames(path, size)) << size;
  EXPECT_EQ(ours.SectionNames(10240), WineNames(path, 10240));
}

const std::pair<const char*, std::string> kHandMade[] = {
    {"blanks", "  [ Sec A ]  \r\n  key1 \t=\t  value 1  \r\n\x1akey2\x0b=\x0c v \r\n[\tt\t]junk\r\nk = x = y\r\n"},
    {"quotes", "[q]\r\na=\"abc\"\r\nb='x'\r\nc=\"open\r\nd=\"a\" b \"\r\ne=\"\r\nf=''\r\ng='mixed\"\r\nh=\"\xD6\xD0\xCE\xC4\"\r\n"},
    {"comments", "[c]\r\n;k=semicolon\r\n#k=hash\r\n//k=slashes\r\nk=real\r\n; lone comment\r\n"},
    {"no_equals", "[n]\r\nbare\r\nbare=later\r\n=first\r\n=second\r\nempty=\r\nk=1\r\nk=2\r\nK=3\r\n"},
    {"duplicates", "[d]\r\nk=1\r\n[D]\r\nk=2\r\nonly=second\r\n[d]\r\nk=3\r\n"},
    {"line_ends", "[lf]\nk=lf\n[cr]\rk=cr\r[crlf]\r\nk=crlf\r\n\r\n\n\r[last]\r\nk=no newline"},
    {"headers", "top=1\r\n[]\r\nk=e\r\n[h]]\r\nk=2\r\n[open\r\nk=3\r\n[\r\n]\r\n[x]y]z\r\nk=4\r\n[ ]\r\nk=5\r\n"},
    {"numbers", "[i]\r\na=42\r\nb=  -17 \r\nc=+5\r\nd=0x1F\r\ne=0X1F\r\nf=12abc\r\ng=abc\r\nh=\r\nk=4294967297\r\n"
                "l=99999999999999999999999\r\nm=\"123\"\r\nmq=\" 5\"\r\nn=0b101\r\no=0o17\r\np=-0x10\r\nq=010\r\nr=2147483648\r\n"
                "s=\x01\x02" "7\r\nt=1 2\r\nu=-\r\nv=\"\"\r\nw=\xD6\xD0" "5\r\nx=0x\r\ny=--1\r\n"},
    {"gbk", "[\xD6\xD0\xCE\xC4]\r\n\xBC\xFC=\xD6\xB5\r\n[\x95\x5C\x81\x5D]\r\nk=\x95\x5C\r\n[\x81\x5D\r\nk=trail bracket\r\n"
            "[\x81\x41\x81\x61]\r\n\x81\x41=trail letters\r\nv=\xD6\xD0\xCE\xC4" "abc\xB1\xED\r\n[\xA1\xA1sp\xA1\xA1]\r\n"
            "\xA1\xA1k\xA1\xA1=\xA1\xA1v\xA1\xA1\r\n[\xA3\xC1]\r\nk=fullwidth\r\n"},
    {"invalid_bytes", "[s]\r\na=x\x81\r\nb=y\r\nc=\x81 z\r\nd=\x80\xFF\r\ne=\xA2\xAB\r\n[\x81]\r\nk=1\r\ng=end\x81"},
    {"nul_bytes", std::string("[s]\r\na=x\0y\r\nb\0c=z\r\n[t\0u]\r\nk=1\r\n", 31)},
    {"bom_utf8", "\xEF\xBB\xBF[u]\r\nk=v\r\n"},
    {"bom_utf16le", std::string("\xFF\xFE[\0w\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22)},
    {"bom_utf16be", std::string("\xFE\xFF\0[\0w\0]\0\r\0\n\0k\0=\0v\0\r\0\n", 22)},
    {"empty", ""},
};

TEST(IniDifferential, HandMadeFiles) {
  const std::string folder = MakeScratchFolder("ini");
  for (const auto& [name, bytes] : kHandMade) CompareFile(folder, name, bytes);
}

// Random files from fragments chosen for the rules above.
std::string RandomFile(std::mt19937& rng) {
  static const char* const kPieces[] = {
      "[", "]", "=", " ", "\t", "\x1a", "\"", "'", ";", "k", "K", "key", "Sec", "s", "1", "-", "0x", "x",
      "\xD6\xD0", "\x95\x5C", "\x81\x5D", "\x81\x41", "\x81\x61", "\xA1\xA1", "\x81", "\x80", "\xFF", "\r\n", "\n", "\r"};
  const std::size_t count = sizeof kPieces / sizeof kPieces[0];
  std::string file;
  const int lines = std::uniform_int_distribution<int>(1, 25)(rng);
  for (int l = 0; l < lines; ++l) {
    const int pieces = std::uniform_int_distribution<int>(0, 7)(rng);
    for (int p = 0; p < pieces; ++p) file += kPieces[std::uniform_int_distribution<std::size_t>(0, count - 4)(rng)];
    file += kPieces[std::uniform_int_distribution<std::size_t>(count - 3, count - 1)(rng)];
  }
  return file;
}

TEST(IniDifferential, GeneratedFiles) {
  const std::string folder = MakeScratchFolder("inigen");
  std::mt19937 rng(20240607);
  for (int i = 0; i < 120; ++i) CompareFile(folder, "gen" + std::to_string(i), RandomFile(rng));
}

}  // namespace
