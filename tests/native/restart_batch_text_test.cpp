#include "commit/restart_batch_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kMover = "C:\\WINDOWS\\TEMP\\ZMTMove.EXE";
const std::string kBatch = "C:\\WINDOWS\\TEMP\\ZMTMove.BAT";

TEST(RestartBatchText, MoverGroupRunsWhileTheStagedFileIsThereAndMarksAFailure) {
  EXPECT_EQ(MoverGroup(kMover, "C:\\WINDOWS\\TEMP\\LONGNA~1.DL0", "C:\\PROGRA~1\\SKAL\\LONGNA~1.DLL"),
            "@if exist C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 C:\\WINDOWS\\TEMP\\ZMTMove.EXE "
            "C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 C:\\PROGRA~1\\SKAL\\LONGNA~1.DLL\r\n"
            "@if exist C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 set ZMTKEEP=1\r\n");
}

TEST(RestartBatchText, FallbackClearsAttributesCopiesAndDeletes) {
  EXPECT_EQ(FallbackGroup("C:\\WINDOWS\\Command\\Attrib", "C:\\TEMP\\A.DL0", "C:\\SKAL\\A.DLL"),
            "@if exist C:\\SKAL\\A.DLL C:\\WINDOWS\\Command\\Attrib -s -h -r C:\\SKAL\\A.DLL\r\n"
            "@if exist C:\\TEMP\\A.DL0 copy /y C:\\TEMP\\A.DL0 C:\\SKAL\\A.DLL\r\n"
            "@if exist C:\\TEMP\\A.DL0 del C:\\TEMP\\A.DL0\r\n");
}

// What a batch that will never run leaves unreplaced, whichever group form.
TEST(RestartBatchText, DestinationsOfEveryGroup) {
  const std::string batch = MoverGroup(kMover, "C:\\T\\A.DL0", "C:\\SKAL\\A.DLL") +
                            FallbackGroup("C:\\W\\Command\\Attrib", "C:\\T\\B.DL0", "C:\\SKAL\\B.DLL");
  EXPECT_EQ(BatchDestinations(batch), (std::vector<std::string>{"C:\\SKAL\\A.DLL", "C:\\SKAL\\B.DLL"}));
  EXPECT_TRUE(BatchDestinations(StartFileText(kBatch, kMover)).empty());
}

TEST(RestartBatchText, LinesDosWouldCutAreRefused) {
  // "@if exist S M S D" at exactly 127 characters still fits, one more does not.
  const std::string prefix = "@if exist C:\\T\\S.DL0 " + kMover + " C:\\T\\S.DL0 C:\\";
  const std::string fitting(kMaxDosLine - prefix.size(), 'D');
  EXPECT_FALSE(MoverGroup(kMover, "C:\\T\\S.DL0", "C:\\" + fitting).empty());
  EXPECT_TRUE(MoverGroup(kMover, "C:\\T\\S.DL0", "C:\\" + fitting + "D").empty());
  EXPECT_TRUE(FallbackGroup("C:\\W\\Command\\Attrib", "C:\\T\\S.DL0", "C:\\" + std::string(120, 'D')).empty());
  EXPECT_TRUE(StartFileText("C:\\" + std::string(120, 'B'), kMover).empty());
}

TEST(RestartBatchText, StartTextStartsOnALineOfItsOwn) {
  const std::string start = StartFileText(kBatch, kMover);
  EXPECT_EQ(start,
            "\r\n@set ZMTKEEP=\r\n"
            "@if exist C:\\WINDOWS\\TEMP\\ZMTMove.BAT call C:\\WINDOWS\\TEMP\\ZMTMove.BAT\r\n"
            "@if \"%ZMTKEEP%\"==\"\" if exist C:\\WINDOWS\\TEMP\\ZMTMove.BAT del C:\\WINDOWS\\TEMP\\ZMTMove.BAT\r\n"
            "@if \"%ZMTKEEP%\"==\"\" if exist C:\\WINDOWS\\TEMP\\ZMTMove.EXE del C:\\WINDOWS\\TEMP\\ZMTMove.EXE\r\n");
  // A last line without CR LF is ended by the text's own first CR LF.
  const std::string unended = "PATH C:\\WINDOWS";
  EXPECT_EQ(unended + StartTextToAppend(unended, start), unended + start);
}

TEST(RestartBatchText, StartTextIsAddedOnce) {
  const std::string start = StartFileText(kBatch, kMover);
  const std::string armed = "@ECHO OFF\r\n" + start + "SET BLASTER=A220\r\n";
  EXPECT_EQ(StartTextToAppend(armed, start), "");
  EXPECT_EQ(StartTextToAppend("", start), start);
  // Another temporary folder is another start text.
  EXPECT_EQ(StartTextToAppend(armed, StartFileText("D:\\TMP\\ZMTMove.BAT", "D:\\TMP\\ZMTMove.EXE")),
            StartFileText("D:\\TMP\\ZMTMove.BAT", "D:\\TMP\\ZMTMove.EXE"));
}

}  // namespace
