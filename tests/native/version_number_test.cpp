#include "engine/version_number.h"

#include <gtest/gtest.h>

#include "engine/date_text.h"
#include "versions/version_format.h"

namespace {

VersionNumber V(uint32_t high, uint32_t low) { return VersionNumber{high, low}; }

TEST(ParseVersion, PartsFillTheHalvesAndSpillOver) {
  EXPECT_EQ(ParseVersion("1.2"), V(65538, 0));
  EXPECT_EQ(ParseVersion("1.2.3.4"), V(65538, 196612));
  EXPECT_EQ(ParseVersion("1.2.3.4.5"), V(65538, 196612));  // after a fourth dot: ignored
  EXPECT_EQ(ParseVersion(""), V(0, 0));
  EXPECT_EQ(ParseVersion("1.65536"), V(131072, 0));
  EXPECT_EQ(ParseVersion("0.0.1.65536"), V(0, 2 << 16));
  EXPECT_EQ(ParseVersion("65536.1"), V(1, 0));  // out of part a: beyond 64 bits
}

TEST(ParseVersion, PartsAreTheirLeadingDigits) {
  EXPECT_EQ(ParseVersion("4.10a.0x.2000 beta"), ParseVersion("4.10.0.2000"));
  EXPECT_EQ(ParseVersion("v4.-10"), V(0, 0));
  EXPECT_EQ(ParseVersion("1..3"), V(65536, 3 << 16));
  // Beyond 32 bits the digits wrap; a result that reads negative counts by its size.
  EXPECT_EQ(LeadingNumber("4294967297"), 1u);
  EXPECT_EQ(LeadingNumber("4294967295"), 1u);
}

TEST(FormatVersion, ZeroPartsLeftOutWhereverTheyStandOthersUnsigned) {
  EXPECT_EQ(FormatVersion(ParseVersion("4.0.0.5")), "4.5");
  EXPECT_EQ(FormatVersion(ParseVersion("2004.3.0.0")), "2004.3");
  EXPECT_EQ(FormatVersion(ParseVersion("0.0.0.0")), "0");
  EXPECT_EQ(FormatVersion(ParseVersion("0.0.7")), "0.7");
  EXPECT_EQ(FormatVersion(V(0xFFFFFFFF, 0xFFFFFFFF)), "65535.65535.65535.65535");
}

TEST(DateText, MissingPartsAreZeroAndTheYearComparesFirst) {
  auto later = [](const char* a, const char* b) { return IsLaterDate(ParseDateText(a), ParseDateText(b)); };
  EXPECT_TRUE(later("2004.3.26", "2004.3.25"));
  EXPECT_FALSE(later("2004.3.26", "2004.03.26xyz"));
  EXPECT_TRUE(later("2004.4.1", "2004.3.31"));
  EXPECT_TRUE(later("2005.1.1", "2004.12.31"));
  EXPECT_FALSE(later("2004.3", "2004.3.1"));
  EXPECT_TRUE(later("2004.3", "2004.2.29"));
  EXPECT_FALSE(later("", "0.0.0"));
}

}  // namespace
