// The report text after a run, the version-list entries it is made from, and
// the save dialog's filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/file_dialog_filter.h"
#include "app/report_text.h"
#include "catalog/ini_file.h"
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

}  // namespace
