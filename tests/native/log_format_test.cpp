#include "log/log_format.h"

#include <gtest/gtest.h>

namespace {

const LocalTime kMorning{2004, 3, 26, 7, 48, 30};

TEST(LogFormat, TimeStampsArePaddedFields) {
  EXPECT_EQ(FormatTimeStamp(kMorning, true), "2004-03-26 07:48:30");
  EXPECT_EQ(FormatTimeStamp(kMorning, false), "07:48:30");
}

TEST(LogFormat, RunHeaderIsAnEmptyLineThenTheBracketedStamp) {
  EXPECT_EQ(FormatRunHeader(kMorning), "\r\n[2004-03-26 07:48:30]\r\n");
}

TEST(LogFormat, LinesKeepEmbeddedLineBreaksAndGbkBytes) {
  EXPECT_EQ(FormatLogLine(kMorning, "a\r\nb", true), "07:48:30 a\r\nb\r\n");
  EXPECT_EQ(FormatLogLine(kMorning, "\xCE\xC4\xBC\xFE", true), "07:48:30 \xCE\xC4\xBC\xFE\r\n");
  EXPECT_EQ(FormatLogLine(kMorning, "plain", false), "plain\r\n");
}

TEST(LogFormat, RotationOnlyPastOneMebibyte) {
  EXPECT_FALSE(LogNeedsRotation(1048576));
  EXPECT_TRUE(LogNeedsRotation(1048577));
  EXPECT_EQ(LogFileName("Admin"), "AdminUpdate.LOG");
  EXPECT_EQ(LogFileName(""), "Update.LOG");
}

}  // namespace
