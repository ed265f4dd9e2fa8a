#include "engine/version_number.h"

#include <gtest/gtest.h>

#include "engine/date_text.h"
#include "versions/version_format.h"

namespace {

VersionNumber V(uint32_t high, uint32_t low) { return VersionNumber{high, low}; }

TEST(ParseVersion, PartsFillTheHalvesFromTheLeft) {
  EXPECT_EQ(ParseVersion("1.2"), V(65538, 0));
  EXPECT_EQ(ParseVersion("1.2.3.4"), V(65538, 196612));
  EXPECT_EQ(ParseVersion("7"), V(7 << 16, 0));
  EXPECT_EQ(ParseVersion(""), V(0, 0));
  EXPECT_EQ(ParseVersion("0"), V(0, 0));
  // Text after a fourth dot is ignored.
  EXPECT_EQ(ParseVersion("1.2.3.4.5"), V(65538, 196612));
}

TEST(ParseVersion, PartAbove65535SpillsIntoThePartBefore) {
  EXPECT_EQ(ParseVersion("1.65536"), V(131072, 0));
  EXPECT_EQ(ParseVersion("0.0.0.65537"), V(0, 65537));
  EXPECT_EQ(ParseVersion("0.0.1.65536"), V(0, 2 << 16));
  // Spilling out of part a leaves the 64-bit value.
  EXPECT_EQ(ParseVersion("65536.1"), V(1, 0));
}

TEST(ParseVersion, PartsAreTheirLeadingDigits) {
  EXPECT_EQ(ParseVersion("4.10a.0x.2000 beta"), ParseVersion("4.10.0.2000"));
  EXPECT_EQ(ParseVersion("v4.-10"), V(0, 0));
  EXPECT_EQ(ParseVersion("1..3"), V(65536, 3 << 16));
  // Digits beyond 32 bits wrap; a result that reads negative counts by its size.
  EXPECT_EQ(LeadingNumber("4294967297"), 1u);
  EXPECT_EQ(LeadingNumber("4294967295"), 1u);
  EXPECT_EQ(LeadingNumber("2147483648"), 2147483648u);
}

TEST(FormatVersion, ZeroPartsAreLeftOutWhereverTheyStand) {
  EXPECT_EQ(FormatVersion(ParseVersion("4.0.0.5")), "4.5");
  EXPECT_EQ(FormatVersion(ParseVersion("2004.3.0.0")), "2004.3");
  EXPECT_EQ(FormatVersion(ParseVersion("0.0.0.0")), "0");
  EXPECT_EQ(FormatVersion(ParseVersion("0.1")), "0.1");
  EXPECT_EQ(FormatVersion(ParseVersion("0.0.7")), "0.7");
  EXPECT_EQ(FormatVersion(ParseVersion("1.2.3.4")), "1.2.3.4");
}

TEST(FormatVersion, LargePartsAreShownUnsignedAndInFull) {
  EXPECT_EQ(FormatVersion(V(0xFFFFFFFF, 0xFFFFFFFF)), "65535.65535.65535.65535");
  EXPECT_EQ(FormatVersion(ParseVersion("40000.1.50000.2")), "40000.1.50000.2");
}

TEST(DateText, YearMonthDayWithMissingPartsAsZero) {
  auto same = [](CalendarDate a, CalendarDate b) { return a.year == b.year && a.month == b.month && a.day == b.day; };
  EXPECT_TRUE(same(ParseDateText("2004.3.26"), {2004, 3, 26}));
  EXPECT_TRUE(same(ParseDateText("2004.03.26xyz"), {2004, 3, 26}));
  EXPECT_TRUE(same(ParseDateText("2004.3"), {2004, 3, 0}));
  EXPECT_TRUE(same(ParseDateText("2004"), {2004, 0, 0}));
  EXPECT_TRUE(same(ParseDateText(""), {0, 0, 0}));
  EXPECT_TRUE(same(ParseDateText("2004.3.26.9"), {2004, 3, 26}));
}

TEST(DateText, LaterComparesYearThenMonthThenDay) {
  EXPECT_TRUE(IsLaterDate({2004, 3, 26}, {2004, 3, 25}));
  EXPECT_FALSE(IsLaterDate({2004, 3, 26}, {2004, 3, 26}));
  EXPECT_FALSE(IsLaterDate({2004, 3, 26}, {2004, 4, 1}));
  EXPECT_TRUE(IsLaterDate({2004, 4, 1}, {2004, 3, 31}));
  EXPECT_TRUE(IsLaterDate({2005, 1, 1}, {2004, 12, 31}));
  EXPECT_FALSE(IsLaterDate({2004, 3, 0}, {2004, 3, 1}));
}

}  // namespace
