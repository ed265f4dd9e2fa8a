#include "engine/update_decision.h"

#include <gtest/gtest.h>

#include "../fixtures/fixture_images.h"
#include "engine/file_crc32.h"
#include "engine/file_versions_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// An installation folder with the item's file in it; the item's LocalPath and
// the program folder are both that folder.
struct Installation {
  std::string folder;

  explicit Installation(const char* name) : folder(MakeScratchFolder(name)) {}

  DecisionInput Item(const std::string& fileName, int method, const std::string& version = "1.0") const {
    DecisionInput input;
    input.FileName = fileName;
    input.LocalPath = folder;
    input.programDir = folder;
    input.CheckVersionMethod = method;
    input.Version = version;
    input.CRC = "12345";
    return input;
  }

  void Put(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(WriteWholeFile(folder + name, bytes));
  }

  // The CRC text of the installed file: the package's copy is identical.
  std::string CrcOf(const std::string& name) const { return std::to_string(FileCrc32(folder + name)); }

  // Last modified at `utc`, or at noon local time on the given day.
  void SetModified(const std::string& name, WORD year, WORD month, WORD day) const {
    SYSTEMTIME local = {};
    local.wYear = year;
    local.wMonth = month;
    local.wDay = day;
    local.wHour = 12;
    FILETIME localTime, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
    SetModified(name, utc);
  }
  void SetModified(const std::string& name, const FILETIME& utc) const {
    HANDLE file = CreateFileA((folder + name).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
    CloseHandle(file);
  }
};

// Decides twice: once as if the package's copy were identical to the
// installed file, once as if it differed. Gives "11", "00", or "01" when only
// the CRC decides.
std::string DecideBothWays(const Installation& at, DecisionInput input) {
  input.CRC = at.CrcOf(input.FileName);
  std::string result = std::to_string(DecideUpdate(input));
  input.CRC = "1";
  return result + std::to_string(DecideUpdate(input));
}

constexpr const char* kByCrc = "01";
constexpr const char* kNeeded = "11";
constexpr const char* kNotNeeded = "00";

// The component test comes first: an item of no installed component is
// never needed, whatever its method says.
TEST(DecideUpdate, ComponentTestComesFirst) {
  Installation at("components");
  const struct {
    int32_t belong, mask;
    int needed;
  } rows[] = {{0, -1, 0}, {-1, -1, 1}, {-1, 1, 1}, {-1, 0x40000000, 1}, {-1, 0, 0}, {2, 5, 0}};
  for (const auto& row : rows) {
    DecisionInput input = at.Item("a.dll", 4);
    input.Belong = row.belong;
    input.ComponentMask = row.mask;
    EXPECT_EQ(DecideUpdate(input), row.needed) << row.belong << " & " << row.mask;
  }
}

// Every method over one installation folder. Expected: the two answers of
// DecideBothWays, or for a missing file the one answer for a CRC of 12345.
TEST(DecideUpdate, EachMethodOnInstalledFiles) {
  Installation at("methods");
  at.Put("same.dll", "installed bytes");
  at.Put("Skal.dll", ReadWholeFile(ProgramFolder() + "verfixture.dll"));  // product version 4.0.0.5
  at.Put("commas.vxd", fixtures::DriverImage(fixtures::DriverVersionResource("4, 10, 0, 1998")));
  at.Put("dots.vxd", fixtures::DriverImage(fixtures::DriverVersionResource("4.10.0.1998")));
  at.Put("short.bin", std::string(100, 'x'));  // too short for a header (method 1)
  at.Put("older.dat", "older");
  at.Put("sameday.dat", "same day");
  at.SetModified("older.dat", 2004, 3, 25);
  at.SetModified("sameday.dat", 2004, 3, 26);
  for (const char* name : {"ZMT00012.UPD", "ZMT00013.UPD", "zmt00012.dat", "Skal.ini"}) at.Put(name, name);
  // The system's version functions find nothing in the drivers: only the driver scan does.
  VersionNumber ignored;
  ASSERT_FALSE(ReadResourceVersion(at.folder + "commas.vxd", ignored));

  const struct {
    const char* file;
    int method;
    const char* version;
    std::string expected;
  } rows[] = {
      {"same.dll", 4, "1.0", kNeeded},
      {"same.dll", 3, "1.0", kByCrc},
      // With a version resource only the CRC decides, whatever the version.
      {"Skal.dll", 0, "1.0", kByCrc},
      {"Skal.dll", 0, "9.0", kByCrc},
      // A driver without a system version goes by its own.
      {"commas.vxd", 0, "4.10.0.2000", kNeeded},
      {"commas.vxd", 0, "4.10", kByCrc},
      {"commas.vxd", 0, "4.9", kNotNeeded},
      {"dots.vxd", 0, "4.9", kByCrc},
      {"missing.vxd", 0, "4.9", "1"},
      // Other methods: presence, then the CRC.
      {"short.bin", 1, "1.0", kByCrc},
      {"short.bin", 6, "1.0", kByCrc},
      {"missing.bin", 6, "1.0", "1"},
      // By the modification date, then the CRC; a date without its day
      // counts day 0, not later than any day of March.
      {"older.dat", 5, "2004.3.26", kNeeded},
      {"sameday.dat", 5, "2004.3.26", kByCrc},
      {"sameday.dat", 5, "2004.2.28", kByCrc},
      {"missing.dat", 5, "2004.3.26", "1"},
      {"older.dat", 5, "2004.3", kByCrc},
      {"older.dat", 5, "2004.4", kNeeded},
      // By the database twin; a name that is no database name is its own twin.
      {"ZMT00012.UPD", 2, "1.0", kNotNeeded},
      {"ZMT00012.DAT", 2, "1.0", kNotNeeded},
      {"ZMT00013.UPD", 2, "1.0", kByCrc},
      {"ZMT00014.UPD", 2, "1.0", "1"},
      {"Skal.ini", 2, "1.0", kNotNeeded},
  };
  for (const auto& row : rows) {
    const DecisionInput input = at.Item(row.file, row.method, row.version);
    const std::string got = row.expected.size() == 1 ? std::to_string(DecideUpdate(input)) : DecideBothWays(at, input);
    EXPECT_EQ(got, row.expected) << row.file << " method " << row.method << " version " << row.version;
  }
  // A missing file has CRC 0: only the CRC text "0" matches it.
  DecisionInput missing = at.Item("missing.dll", 3);
  missing.CRC = "0";
  EXPECT_EQ(DecideUpdate(missing), 0);
  missing.CRC = "891568578";
  EXPECT_EQ(DecideUpdate(missing), 1);
}

// A file written at 00:30 summer time belongs to that day, whatever offset
// is in force on the day of the run. Needs a zone with daylight-saving time.
TEST(DecideUpdate, Method5TakesTheOffsetInForceOnTheFilesDate) {
  TIME_ZONE_INFORMATION zone;
  if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN || zone.DaylightDate.wMonth == 0)
    GTEST_SKIP() << "the zone keeps no daylight-saving time";
  const WORD month = zone.DaylightDate.wMonth < zone.StandardDate.wMonth ? 7 : 1;  // mid-summer
  SYSTEMTIME local = {};
  local.wYear = 2004;
  local.wMonth = month;
  local.wDay = 15;
  local.wMinute = 30;
  FILETIME time;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &time));
  ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
  ticks.QuadPart += uint64_t(int64_t(zone.Bias + zone.DaylightBias) * 60 * 10000000);
  Installation at("summer");
  at.Put("summer.dat", "summer");
  at.SetModified("summer.dat", FILETIME{ticks.LowPart, ticks.HighPart});
  EXPECT_EQ(DecideBothWays(at, at.Item("summer.dat", 5, "2004." + std::to_string(month) + ".15")), kByCrc);
}

TEST(DecideUpdate, Method7WhenTheInstalledDatabaseIsTheOldVersion) {
  Installation at("dbversion");
  DecisionInput input = at.Item("ZMT00013.UPD", 7);
  EXPECT_EQ(DecideUpdate(input), 1);  // nothing installed, OldVersion "0"
  input.OldVersion = "2004.3.26.1";
  EXPECT_EQ(DecideUpdate(input), 0);

  at.Put("ZMT00012.DAT", fixtures::DatabaseImage(0x07D4031A, 1));  // 2004.3.26.1
  EXPECT_EQ(DecideUpdate(input), 1);
  input.OldVersion = "2004.3.26";
  EXPECT_EQ(DecideUpdate(input), 0);
  input.OldVersion = "0";
  EXPECT_EQ(DecideUpdate(input), 0);
}

TEST(DecideUpdate, InstalledPathBeyondThePathLimitIsNeverChecked) {
  Installation at("longpath");
  DecisionInput input = at.Item(std::string(260 - at.folder.size(), 'n'), 3);
  EXPECT_EQ(DecideUpdate(input), 0);
  input.CheckVersionMethod = 6;
  EXPECT_EQ(DecideUpdate(input), 0);
  input.CheckVersionMethod = 4;
  EXPECT_EQ(DecideUpdate(input), 1);
  // One character less fits: a missing file there is needed.
  input.FileName.pop_back();
  input.CheckVersionMethod = 6;
  EXPECT_EQ(DecideUpdate(input), 1);
}

}  // namespace
