#include "commit/wininit_text.h"

#include <gtest/gtest.h>

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

TEST(WininitText, WithoutSectionTheHeaderAndBlockAreAppended) {
  const RenameMerge fromNothing = MergeRenameBlock("", kBlock);
  EXPECT_TRUE(fromNothing.changed);
  EXPECT_EQ(fromNothing.text, "\r\n[rename]\r\n" + kBlock);

  const std::string other = "[boot]\r\nshell=explorer.exe\r\n[renamed]\r\nx=1";
  EXPECT_EQ(MergeRenameBlock(other, kBlock).text, other + "\r\n[rename]\r\n" + kBlock);
}

TEST(WininitText, BlockGoesUnderTheHeaderInAnyCaseNewestFirst) {
  const std::string ini = "[386Enh]\r\nx=1\r\n[RENAME]\r\nNUL=C:\\OLD.TXT\r\n[tail]\r\ny=2\r\n";
  const std::string second = DeletionBlock({"C:\\S\\ZMT00000.DAT", "C:\\S\\ZMT00001.DAT"});
  const RenameMerge once = MergeRenameBlock(ini, kBlock);
  const RenameMerge twice = MergeRenameBlock(once.text, second);
  EXPECT_EQ(twice.text, "[386Enh]\r\nx=1\r\n[RENAME]\r\n" + second + kBlock + "NUL=C:\\OLD.TXT\r\n[tail]\r\ny=2\r\n");
  // A block handed over without its last line end still ends with CR LF.
  EXPECT_EQ(MergeRenameBlock("[Rename]\r\n", "NUL=C:\\A.TXT").text, "[Rename]\r\nNUL=C:\\A.TXT\r\n");
}

TEST(WininitText, LfOnlyHeaderIsTheSectionNotASecondOne) {
  const std::string ini = "[rename]\nNUL=C:\\OLD.TXT\n[boot]\nshell=x\n";
  EXPECT_EQ(MergeRenameBlock(ini, kBlock).text, "[rename]\n" + kBlock + "NUL=C:\\OLD.TXT\n[boot]\nshell=x\n");
  // A header on the last line, without any line end.
  EXPECT_EQ(MergeRenameBlock("[a]\r\n [rename] ", kBlock).text, "[a]\r\n [rename] \r\n" + kBlock);
  // Ending on a lone CR, the header gets just the LF, stays a header and the
  // block stands in its section.
  const RenameMerge crOnly = MergeRenameBlock("[a]\r\n[Rename]\r", kBlock);
  EXPECT_EQ(crOnly.text, "[a]\r\n[Rename]\r\n" + kBlock);
  EXPECT_FALSE(MergeRenameBlock(crOnly.text, kBlock).changed);
}

TEST(WininitText, BlockAlreadyInTheSectionIsNotAddedAgain) {
  const std::string ini = MergeRenameBlock("[a]\r\nb=c\r\n", kBlock).text;
  for (const std::string& again : {kBlock, FoldCase(kBlock), std::string("nul=c:\\progra~1\\skal\\zmt9x.exe\n"
                                                                           "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE="
                                                                           "C:\\PROGRA~1\\SKAL\\ZMT9X.TMP")}) {
    const RenameMerge merge = MergeRenameBlock(ini, again);
    EXPECT_FALSE(merge.changed) << again;
    EXPECT_EQ(merge.text, ini);
  }
  // The same lines written LF-only count too.
  const std::string lfOnly = "[rename]\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE\n"
                             "C:\\PROGRA~1\\SKAL\\ZMT9X.EXE=C:\\PROGRA~1\\SKAL\\ZMT9X.TMP\n";
  EXPECT_FALSE(MergeRenameBlock(lfOnly, kBlock).changed);
  EXPECT_FALSE(MergeRenameBlock("", "").changed);
}

TEST(WininitText, OnlyTheRenameSectionAndWholeLinesCount) {
  // Elsewhere in the file, or only in part, the block is not carried out.
  const std::string elsewhere = "[rename]\r\n[notes]\r\n" + kBlock;
  EXPECT_EQ(MergeRenameBlock(elsewhere, kBlock).text, "[rename]\r\n" + kBlock + "[notes]\r\n" + kBlock);
  const std::string partly = "[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE\r\n";
  EXPECT_TRUE(MergeRenameBlock(partly, kBlock).changed);
  const std::string longer = "[rename]\r\nNUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE1\r\n";
  EXPECT_TRUE(MergeRenameBlock(longer, "NUL=C:\\PROGRA~1\\SKAL\\ZMT9X.EXE\r\n").changed);
}

TEST(WininitText, CaseFoldingLeavesDoubleByteCharactersAlone) {
  // B0 41 and B0 61 are two different characters of code page 936.
  EXPECT_EQ(FoldCase("AB\xB0\x41Z"), "ab\xB0\x41z");
  EXPECT_FALSE(EqualsIgnoringCase("\xB0\x41", "\xB0\x61"));
  const std::string ini = "[rename]\r\nNUL=C:\\\xB0\x61.DAT\r\n";
  EXPECT_TRUE(MergeRenameBlock(ini, "NUL=C:\\\xB0\x41.DAT\r\n").changed);
  EXPECT_FALSE(MergeRenameBlock(ini, "nul=c:\\\xB0\x61.dat\r\n").changed);
}

}  // namespace
