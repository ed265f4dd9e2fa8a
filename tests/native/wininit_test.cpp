// Wininit.ini: its rename blocks and their merge, the names of the copies it
// moves into place, and the superseded databases' deletion.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "commit/wininit_blocks.h"
#include "commit/wininit_route.h"
#include "commit/wininit_text.h"
#include "commit/wininit_tmp_name.h"
#include "memory_file_system.h"

namespace {

const std::string kExe = "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE";
const std::string kBlock = RouteBlock(kExe, "C:\\PROGRA~1\\SKAL\\ZMT9X.TMP");

TEST(WininitText, BlocksListTheirLinesWithCrLf) {
  EXPECT_EQ(kBlock,
            "NUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE\r\n"
            "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n");
  EXPECT_EQ(DeletionBlock({"C:\\S\\ZMT00000.DAT", "C:\\S\\ZMT00000.UPD"}),
            "NUL=C:\\S\\ZMT00000.DAT\r\nNUL=C:\\S\\ZMT00000.UPD\r\n");
}

// The merged text, or nullopt when the block already stands in the section
// and the file is left as it was.
TEST(WininitText, MergeRenameBlock) {
  const std::string withBlock = "[a]\r\nb=c\r\n\r\n[rename]\r\n" + kBlock;
  const std::string exe = "NUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE";
  const std::string move = "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP";
  const struct {
    const char* what;
    std::string ini, block;
    std::optional<std::string> merged;
  } cases[] = {
      {"no file", "", kBlock, "\r\n[rename]\r\n" + kBlock},
      {"other sections", "[boot]\r\nshell=x\r\n[renamed]\r\nx=1", kBlock,
       "[boot]\r\nshell=x\r\n[renamed]\r\nx=1\r\n[rename]\r\n" + kBlock},
      {"under the header, newest first", "[386Enh]\r\nx=1\r\n[RENAME]\r\nNUL=C:\\OLD.TXT\r\n[tail]\r\ny=2\r\n", kBlock,
       "[386Enh]\r\nx=1\r\n[RENAME]\r\n" + kBlock + "NUL=C:\\OLD.TXT\r\n[tail]\r\ny=2\r\n"},
      {"block without its last line end", "[Rename]\r\n", "NUL=C:\\A.TXT", "[Rename]\r\nNUL=C:\\A.TXT\r\n"},
      {"LF-only header", "[rename]\nNUL=C:\\OLD.TXT\n[boot]\n", kBlock,
       "[rename]\n" + kBlock + "NUL=C:\\OLD.TXT\n[boot]\n"},
      {"header without line end", "[a]\r\n [rename] ", kBlock, "[a]\r\n [rename] \r\n" + kBlock},
      // The header gets just the LF and stays a header.
      {"header ending on a lone CR", "[a]\r\n[Rename]\r", kBlock, "[a]\r\n[Rename]\r\n" + kBlock},
      {"already there", withBlock, kBlock, std::nullopt},
      {"already there, other case", withBlock, FoldCase(kBlock), std::nullopt},
      {"already there, other line ends", withBlock, FoldCase(exe) + "\n" + move, std::nullopt},
      {"already there, LF only", "[rename]\n" + exe + "\n" + move + "\n", kBlock, std::nullopt},
      {"empty block", "", "", std::nullopt},
      {"only in another section", "[rename]\r\n[notes]\r\n" + kBlock, kBlock,
       "[rename]\r\n" + kBlock + "[notes]\r\n" + kBlock},
      {"only partly there", "[rename]\r\n" + exe + "\r\n", kBlock, "[rename]\r\n" + kBlock + exe + "\r\n"},
      {"a longer line", "[rename]\r\n" + exe + "1\r\n", exe + "\r\n", "[rename]\r\n" + exe + "\r\n" + exe + "1\r\n"},
      // B0 41 and B0 61 are two different characters of code page 936.
      {"double-byte, other character", "[rename]\r\nNUL=C:\\\xB0\x61.DAT\r\n", "NUL=C:\\\xB0\x41.DAT\r\n",
       "[rename]\r\nNUL=C:\\\xB0\x41.DAT\r\nNUL=C:\\\xB0\x61.DAT\r\n"},
      {"double-byte, same character", "[rename]\r\nNUL=C:\\\xB0\x61.DAT\r\n", "nul=c:\\\xB0\x61.dat\r\n", std::nullopt},
  };
  for (const auto& c : cases) {
    const RenameMerge merge = MergeRenameBlock(c.ini, c.block);
    EXPECT_EQ(merge.changed, c.merged.has_value()) << c.what;
    EXPECT_EQ(merge.text, c.merged.value_or(c.ini)) << c.what;
  }
}

TEST(WininitText, CaseFoldingLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(FoldCase("AB\xB0\x41Z"), "ab\xB0\x41z");
  EXPECT_FALSE(EqualsIgnoringCase("\xB0\x41", "\xB0\x61"));
}

TEST(WininitTmpName, ExtensionReplacedOrAppended) {
  const std::pair<std::string, std::string> cases[] = {
      {TmpCandidate(kExe, 0), "C:\\PROGRA~1\\SKAL\\ZMT9X.TMP"},
      {TmpCandidate(kExe, 1), "C:\\PROGRA~1\\SKAL\\ZMT9X.T01"},
      {TmpCandidate(kExe, 99), "C:\\PROGRA~1\\SKAL\\ZMT9X.T99"},
      {TmpCandidate("C:\\SKAL\\README", 0), "C:\\SKAL\\README.TMP"},
      {TmpCandidate("C:\\SKAL.1\\README", 0), "C:\\SKAL.1\\README.TMP"},  // a folder's dot is no extension
      {TmpCandidate("C:\\SKAL\\A.B.C", 0), "C:\\SKAL\\A.B.TMP"},
  };
  for (const auto& [made, expected] : cases) EXPECT_EQ(made, expected);
}

// The first candidate neither on the disk (a file nobody moves is not
// overwritten) nor named in the [rename] section.
TEST(WininitTmpName, ChooseTakesTheFirstFreeCandidate) {
  std::set<std::string> all;
  for (int i = 0; i <= 99; ++i) all.insert(TmpCandidate(kExe, i));
  // ZMT9X.DLL deferred earlier in the run: its TMP copy is pending, even once the file is gone.
  const std::string otherPending = "[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.DLL\r\n"
                                   "C:\\PROGRA~1\\SKAL\\ZMT9X.DLL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n";
  // Run one gave ZMT9X.EXE the name .T01; run two writes its copy under a new name.
  const std::string rerun = "[Rename]\r\nc:\\progra~1\\skal\\zmt9x.exe=c:\\progra~1\\skal\\zmt9x.t01\r\n"
                            "C:\\PROGRA~1\\SKAL\\ZMT9X.DLL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n";
  const struct {
    std::string ini;
    std::set<std::string> files;
    std::string destination, chosen;
  } cases[] = {
      {"", {}, kExe, TmpCandidate(kExe, 0)},
      {"", {TmpCandidate(kExe, 0), TmpCandidate(kExe, 1)}, kExe, TmpCandidate(kExe, 2)},
      {"", all, kExe, ""},
      {otherPending, {}, kExe, TmpCandidate(kExe, 1)},
      {"[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\r\n", {}, kExe, TmpCandidate(kExe, 1)},
      {rerun, {TmpCandidate(kExe, 0), "c:\\progra~1\\skal\\zmt9x.t01"}, kExe, TmpCandidate(kExe, 2)},
      {"", {}, "C:\\SKAL\\CACHE.TMP", "C:\\SKAL\\CACHE.T01"},  // not its own copy
  };
  for (const auto& c : cases) {
    const auto exists = [&c](const std::string& path) { return c.files.count(path) != 0; };
    EXPECT_EQ(ChooseTmpPath(c.ini, c.destination, exists), c.chosen) << c.ini << " " << c.destination;
  }
  EXPECT_EQ(PendingTmpPath(rerun, kExe), TmpCandidate(kExe, 1));
  EXPECT_EQ(PendingTmpPath(rerun, "C:\\PROGRA~1\\SKAL\\ZMT9X.COM"), "");
}

// A database listed as superseded but gone by the time the removal is
// scheduled needs no line: with nothing to delete, Wininit.ini is not made.
TEST(OldDatabaseRemoval9x, NothingLeftToDeleteWritesNoWininit) {
  MemoryFileSystem disk(WindowsFamily::k9x);
  disk.AddFolder("C:\\WINDOWS\\");
  disk.AddFolder("C:\\PROG\\");
  EXPECT_EQ(ScheduleOldDatabaseRemoval9x(disk, {"C:\\WINDOWS\\", "C:\\TEMP\\"}, {"C:\\PROG\\ZMT00000.DAT"}), 1);
  std::string bytes;
  EXPECT_FALSE(disk.Get("C:\\WINDOWS\\wininit.ini", bytes)) << bytes;
}

}  // namespace
