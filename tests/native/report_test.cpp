// The report after a run: its text, the version-list entries it is made
// from, the save dialog's filter, saving it over an earlier file (an error
// at every call and a crash after every call leave the old or the new report
// whole), and the log's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/file_dialog_filter.h"
#include "app/report_file.h"
#include "app/report_text.h"
#include "catalog/ini_file.h"
#include "commit/os_family.h"
#include "log/log_format.h"
#include "memory_file_system.h"
#include "versions/update_info_default.h"
#include "versions/version_report_entry.h"

namespace {

// Hands out fixed lines; counts how far the report asked.
class FixedLines : public VersionLineSource {
 public:
  FixedLines(bool available, std::vector<std::string> lines) : available_(available), lines_(std::move(lines)) {}
  int BeginVersionReport() override {
    ++begun;
    next_ = 0;
    return available_ ? 1 : 0;
  }
  int NextVersionReportLine(std::string& line) override {
    if (next_ == lines_.size()) return 0;
    line = lines_[next_++];
    ++taken;
    return 1;
  }
  int begun = 0;
  size_t taken = 0;

 private:
  bool available_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

// The run text, then, when asked, an empty line and the list up to the
// first line that starts with a line end (each line ended once), then the
// restart request.
TEST(BuildReport, RunTextListAndRestartRequest) {
  const struct {
    const char* what;
    bool listAsked, available;
    std::vector<std::string> lines;
    std::string restart, report;
    size_t taken;
  } cases[] = {
      {"no list", false, true, {"A:1"}, "", "run\r\n", 0},
      {"no list, restart", false, true, {"A:1"}, "restart!", "run\r\nrestart!", 0},
      {"list", true, true, {"Main:4.5", "Engine:3.2\r\n", "DB:0"}, "restart!",
       "run\r\n\r\nMain:4.5\r\nEngine:3.2\r\nDB:0\r\nrestart!", 3},
      {"list unavailable", true, false, {"Main:4.5"}, "", "run\r\n\r\n", 0},
      {"empty line is the last", true, true, {"A:1", "", "B:2"}, "", "run\r\n\r\nA:1\r\n\r\n", 2},
      {"leading line end is the last", true, true, {"\r\nX", "B:2"}, "", "run\r\n\r\n\r\nX", 1},
      {"inner line end", true, true, {"A\r\nB", "C"}, "", "run\r\n\r\nA\r\nBC\r\n", 2},
  };
  for (const auto& c : cases) {
    FixedLines lines(c.available, c.lines);
    EXPECT_EQ(BuildReport("run\r\n", c.listAsked, lines, c.restart), c.report) << c.what;
    EXPECT_EQ(lines.begun, c.listAsked ? 1 : 0) << c.what;
    EXPECT_EQ(lines.taken, c.taken) << c.what;
  }
}

std::vector<VersionReportEntry> Entries(const IniFile& info) {
  std::vector<VersionReportEntry> entries;
  VersionReportEntry entry;
  while (ReadVersionReportEntry(info, int(entries.size()), entry)) entries.push_back(entry);
  return entries;
}

TEST(VersionReportEntry, DefaultListsFourVersionsAndAsksForTheList) {
  const IniFile info(DefaultUpdateInfoText());
  EXPECT_EQ(info.ReadInt("Comment", "DisplayVerFlag", 0), 1);
  std::vector<VersionReportEntry> entries = Entries(info);
  ASSERT_EQ(entries.size(), 4u);  // Descript4 has no file name
  EXPECT_EQ(entries[3].fileName + " " + std::to_string(entries[3].method), "ZMT00000 2");
  // Code page 936 bytes of "主程序版本:".
  EXPECT_EQ(entries[0].description, "\xD6\xF7\xB3\xCC\xD0\xF2\xB0\xE6\xB1\xBE:");
  EXPECT_EQ(DefaultUpdateInfoText().substr(DefaultUpdateInfoText().size() - 3), ":\r\n");
}

TEST(VersionReportEntry, ListEndsAtFirstEntryMissingLabelOrFile) {
  EXPECT_EQ(Entries(IniFile("[DisplayVer]\r\nDescript0=A:\r\nFileName0=a\r\nDescript1=B:\r\n"
                            "Descript2=C:\r\nFileName2=c\r\n")).size(), 1u);
  EXPECT_EQ(Entries(IniFile("[DisplayVer]\r\nFileName0=a\r\nDescript1=B:\r\nFileName1=b\r\n")).size(), 0u);
  std::vector<VersionReportEntry> one = Entries(IniFile("[displayver]\r\ndescript0=A:\r\nfilename0=a\r\n"));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].method, VersionReportEntry::kResourceVersion);  // no VersionMethod0
}

TEST(VersionReportEntry, ValuesAreCutAt499Bytes) {
  const std::string longLabel(600, 'L');
  std::vector<VersionReportEntry> entries =
      Entries(IniFile("[DisplayVer]\r\nDescript0=" + longLabel + "\r\nFileName0=" + longLabel + "\r\n"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].description, std::string(499, 'L'));
  EXPECT_EQ(entries[0].fileName, std::string(499, 'L'));
}

TEST(FileDialogFilter, BarsBecomeNulsButNotTrailBytes) {
  using namespace std::string_literals;
  EXPECT_EQ(FileDialogFilter("Text(*.txt)|*.txt|All(*.*)|*.*||"), "Text(*.txt)\0*.txt\0All(*.*)\0*.*\0\0"s);
  // 0x81 0x7C is one double-byte character whose trail byte is 0x7C.
  EXPECT_EQ(FileDialogFilter("\x81|a|\x81||"), "\x81|a\0\x81|\0"s);
}

const std::string kFolder = "C:\\REPORTS\\", kPath = kFolder + "Report.txt";
const std::string kOld(70000, 'o'), kNew = std::string(90000, 'n') + "\r\n";

struct Family {
  WindowsFamily disk;
  int32_t osFamily;
};
const Family kFamilies[] = {{WindowsFamily::kNt, kOsFamilyNt}, {WindowsFamily::k9x, kOsFamily9x}};

bool Save(MemoryFileSystem& files, int32_t osFamily) {
  files.AddFolder(kFolder);
  files.Put(kPath, kOld);
  return SaveReportFile(files, osFamily, kPath, kNew);
}

TEST(SaveReportFile, NewOrReplacedWholeAndNothingLeftBeside) {
  for (const Family& family : kFamilies) {
    MemoryFileSystem fresh(family.disk);
    fresh.AddFolder(kFolder);
    std::string bytes;
    ASSERT_TRUE(SaveReportFile(fresh, family.osFamily, kPath, kNew));
    EXPECT_TRUE(fresh.Get(kPath, bytes) && bytes == kNew);

    MemoryFileSystem over(family.disk);
    ASSERT_TRUE(Save(over, family.osFamily));
    EXPECT_TRUE(over.Get(kPath, bytes) && bytes == kNew);
    EXPECT_EQ(over.Files().size(), 1u);

    MemoryFileSystem readOnly(family.disk);
    readOnly.AddFolder(kFolder);
    readOnly.Put(kPath, kOld, kAttributeReadOnly);
    EXPECT_FALSE(SaveReportFile(readOnly, family.osFamily, kPath, kNew));
    EXPECT_TRUE(readOnly.Get(kPath, bytes) && bytes == kOld);
  }
}

TEST(SaveReportFile, AFaultAtAnyCallKeepsTheOldReportWhole) {
  for (const Family& family : kFamilies) {
    MemoryFileSystem clean(family.disk);
    ASSERT_TRUE(Save(clean, family.osFamily));
    for (int k = 1; k <= clean.Calls(); ++k) {
      SCOPED_TRACE("call " + std::to_string(k) + (family.disk == WindowsFamily::kNt ? " on NT" : " on 9x"));
      MemoryFileSystem failing(family.disk);
      failing.FailCall(k, 5);
      const bool saved = Save(failing, family.osFamily);
      std::string bytes, staged;
      EXPECT_TRUE(failing.Get(kPath, bytes) && bytes == (saved ? kNew : kOld));
      EXPECT_FALSE(failing.Get(kPath + ".new", staged));

      MemoryFileSystem crashing(family.disk);
      crashing.CrashAfterCall(k);
      Save(crashing, family.osFamily);
      crashing.Settle();
      // 95/98/Me replace in two renames: cut off between them, the old
      // report stands renamed aside.
      if (!crashing.Get(kPath, bytes)) {
        ASSERT_TRUE(crashing.Get(kPath + ".old", bytes));
      }
      EXPECT_TRUE(bytes == kOld || bytes == kNew);
    }
  }
}

TEST(LogFormat, StampsHeaderLinesAndRotation) {
  const LocalTime morning{2004, 3, 26, 7, 48, 30};
  const std::pair<std::string, std::string> cases[] = {
      {FormatTimeStamp(morning, true), "2004-03-26 07:48:30"},
      {FormatTimeStamp(morning, false), "07:48:30"},
      {FormatRunHeader(morning), "\r\n[2004-03-26 07:48:30]\r\n"},
      {FormatLogLine(morning, "a\r\nb", true), "07:48:30 a\r\nb\r\n"},
      {FormatLogLine(morning, "\xCE\xC4\xBC\xFE", true), "07:48:30 \xCE\xC4\xBC\xFE\r\n"},
      {FormatLogLine(morning, "plain", false), "plain\r\n"},
      {LogFileName("Admin"), "AdminUpdate.LOG"},
      {LogFileName(""), "Update.LOG"},
  };
  for (const auto& [made, expected] : cases) EXPECT_EQ(made, expected);
  EXPECT_FALSE(LogNeedsRotation(1048576));
  EXPECT_TRUE(LogNeedsRotation(1048577));
}

}  // namespace
