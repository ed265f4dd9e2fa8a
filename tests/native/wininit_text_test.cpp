#include "commit/wininit_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commit/wininit_blocks.h"

namespace {

const std::string kBlock = RouteBlock("C:\\PROGRA~1\\SKAL\\ZMT9X.EXE", "C:\\PROGRA~1\\SKAL\\ZMT9X.TMP");

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

}  // namespace
