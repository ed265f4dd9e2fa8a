// The installation choice as the user meets it: runner_probe runs the step
// with the runner's dialogs and texts, the test reads and drives its windows
// and then reads what the step decided.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "automation_win.h"
#include "controls_win.h"
#include "resources/dialog_ids.h"
#include "resources/message_ids.h"
#include "runner_probe.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

struct Row {
  std::string text;
  int image;
  bool operator==(const Row& other) const { return text == other.text && image == other.image; }
};

std::ostream& operator<<(std::ostream& out, const Row& row) { return out << row.text << " [" << row.image << "]"; }

std::vector<Row> Rows(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_VERSION_LIST);
  std::vector<Row> rows(std::max(automation::ListViewRowCount(list), 0));
  for (size_t i = 0; i < rows.size(); ++i) automation::ReadListViewRow(list, int(i), rows[i].text, rows[i].image);
  return rows;
}

// The list's pictures once the posted input has been handled.
std::vector<int> MarksOnceSettled(HWND dialog, const std::vector<int>& expected) {
  std::vector<int> marks;
  for (int i = 0; i < 60; ++i) {
    marks.clear();
    for (const Row& row : Rows(dialog)) marks.push_back(row.image);
    if (marks == expected) break;
    Sleep(50);
  }
  return marks;
}

const std::string kOldestKey = "SOFTWARE\\Norvance\\AntiVirus\\V1.0";

class DiscoveryDialogs : public ::testing::Test {
 protected:
  void SetUp() override { sim::RemoveProductKeys(); }
  void TearDown() override { sim::RemoveProductKeys(); }

  std::string Install(int version, const std::string& caption = "", bool usable = true,
                      sim::Product product = sim::Product::kAntivirus) {
    sim::Installation installation;
    installation.product = product;
    installation.version = version;
    installation.folder = MakeScratchFolder("v" + std::to_string(version));
    installation.caption = caption;
    installation.marker = usable;
    installation.library = !caption.empty();
    EXPECT_TRUE(sim::LayOut(installation));
    return installation.folder;
  }

  const std::string notice = RunnerText(kMsgTitleNotice);
};

TEST_F(DiscoveryDialogs, SeveralUsableAreListedByCaptionOrNameAndTheClickedRowIsTaken) {
  Install(2, "Skal caption");
  Install(3, "", false);  // unusable: not listed, not counted
  std::string second = Install(4);
  Probe probe({"choose", "antivirus"});
  HWND dialog = probe.Wait(notice, false);
  ASSERT_NE(dialog, nullptr);
  std::vector<Row> expected{{"Skal caption", 1}, {RunnerText(55), 0}};
  EXPECT_EQ(Rows(dialog), expected);

  ASSERT_TRUE(automation::ClickListViewRow(GetDlgItem(dialog, IDC_VERSION_LIST), 1));
  EXPECT_EQ(MarksOnceSettled(dialog, {0, 1}), (std::vector<int>{0, 1}));
  ASSERT_TRUE(automation::PressButton(dialog, IDOK));
  EXPECT_EQ(probe.Result(), (std::vector<std::string>{"0", "3", "SOFTWARE\\Norvance\\AntiVirus\\V4.0", second}));
}

TEST_F(DiscoveryDialogs, ArrowKeysSelectWithoutMarkingSpaceMarks) {
  Install(2);
  Install(5);
  Install(6);
  Probe probe({"choose", "antivirus"});
  HWND dialog = probe.Wait(notice, false);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_VERSION_LIST);

  ASSERT_TRUE(automation::ClickListViewRow(list, 0));  // the marked row: nothing changes
  ASSERT_TRUE(automation::PressKey(list, VK_DOWN));
  ASSERT_TRUE(automation::PressKey(list, VK_DOWN));
  Sleep(300);
  EXPECT_EQ(MarksOnceSettled(dialog, {1, 0, 0}), (std::vector<int>{1, 0, 0}));
  ASSERT_TRUE(automation::PressKey(list, VK_SPACE));
  EXPECT_EQ(MarksOnceSettled(dialog, {0, 0, 1}), (std::vector<int>{0, 0, 1}));
  ASSERT_TRUE(automation::PressButton(dialog, IDOK));
  std::vector<std::string> result = probe.Result();
  ASSERT_GE(result.size(), 2u);
  EXPECT_EQ(result[1], "5");
}

TEST_F(DiscoveryDialogs, CancelAsksAndNoKeepsTheChoiceOpen) {
  Install(2);
  Install(4);
  Probe probe({"choose", "antivirus"});
  HWND dialog = probe.Wait(notice, false);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  EXPECT_EQ(probe.Answer(notice, IDNO), RunnerText(kMsgQuitUnfinished));
  EXPECT_TRUE(IsWindowVisible(dialog));
  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  probe.Answer(notice, IDYES);
  EXPECT_EQ(probe.Result(), (std::vector<std::string>{"-1", "-99", "", ""}));
}

// An installation whose product data is gone is told apart from none at all.
TEST_F(DiscoveryDialogs, NoUsableInstallationShowsMessage45) {
  ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 1)));
  Install(5, "", false);
  Probe probe({"choose", "antivirus"});
  EXPECT_EQ(probe.Answer(notice, IDOK), RunnerText(kMsgInstallationDamaged));
  EXPECT_EQ(probe.Result()[0], "-1");
}

TEST_F(DiscoveryDialogs, OnlyTheOldestEditionAcceptedFolderIsRecordedUnderBothRoots) {
  ASSERT_TRUE(sim::LayOut(sim::KeyOnly(sim::Product::kAntivirus, 1)));
  std::string folder = MakeScratchFolder("net");
  ASSERT_TRUE(WriteWholeFile(folder + "ZMT9X.EXE", "MZ"));  // names compare without case
  std::string entered = folder.substr(0, folder.size() - 1);

  Probe probe({"choose", "antivirus"});
  HWND dialog = probe.Wait(notice, false);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(automation::SetControlText(dialog, IDC_FOLDER_EDIT, entered));
  ASSERT_TRUE(automation::PressButton(dialog, IDOK));
  EXPECT_EQ(probe.Result(), (std::vector<std::string>{"0", "0", kOldestKey, folder}));
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kOldestKey, "ProgramPath"), folder);
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kOldestKey, "ProgramPath"), folder);
}

class InstallFolderDialog : public DiscoveryDialogs {
 protected:
  void SetUp() override {
    DiscoveryDialogs::SetUp();
    dialog = probe.Wait(notice, false);
    ASSERT_NE(dialog, nullptr);
  }

  // Enters `text`, presses OK and returns the refusal's text.
  std::string Refusal(const std::string& text) {
    EXPECT_TRUE(automation::SetControlText(dialog, IDC_FOLDER_EDIT, text));
    EXPECT_TRUE(automation::PressButton(dialog, IDOK));
    return probe.Answer("runner_probe", IDOK);
  }

  Probe probe{{"askfolder"}};
  HWND dialog = nullptr;
};

TEST_F(InstallFolderDialog, RefusesEmptyWrongAndOverlongFoldersAndWritesNothing) {
  std::string folder = MakeScratchFolder("wrong");
  EXPECT_EQ(Refusal(""), RunnerText(kMsgEnterNetFolder));
  EXPECT_EQ(Refusal(folder), RunnerText(kMsgWrongFolder));
  // 259 characters, and so 260 with the backslash the folder needs.
  std::string overlong = "C:\\" + std::string(256, 'a');
  EXPECT_EQ(Refusal(overlong), RunnerText(kMsgWrongFolder));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kOldestKey, "ProgramPath"), "<no key>");
  EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kOldestKey, "ProgramPath"), "<no key>");

  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  EXPECT_EQ(probe.Answer("runner_probe", IDYES), RunnerText(kMsgQuitUnfinished));
  EXPECT_EQ(probe.Result(), (std::vector<std::string>{"-1", "unchanged"}));
}

TEST_F(InstallFolderDialog, BrowseCancelledAndCancelAnsweredNoLeaveTheEntry) {
  ASSERT_TRUE(automation::SetControlText(dialog, IDC_FOLDER_EDIT, "C:\\typed"));
  ASSERT_TRUE(automation::PressButton(dialog, IDC_BROWSE));
  HWND browser = automation::WaitForFolderBrowser(probe.Id(), kTimeoutMs);
  ASSERT_NE(browser, nullptr);
  std::string title;
  EXPECT_TRUE(automation::ReadFolderBrowserTitle(browser, title));
  EXPECT_EQ(title, RunnerText(kMsgBrowseNetFolder));
  ASSERT_TRUE(automation::PressButton(browser, IDCANCEL));
  ASSERT_TRUE(automation::WaitForWindowGone(browser, kTimeoutMs));

  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  EXPECT_EQ(probe.Answer("runner_probe", IDNO), RunnerText(kMsgQuitUnfinished));
  std::string entry;
  EXPECT_TRUE(automation::ReadControlText(dialog, IDC_FOLDER_EDIT, entry));
  EXPECT_EQ(entry, "C:\\typed");
  ASSERT_TRUE(automation::PressButton(dialog, IDCANCEL));
  probe.Answer("runner_probe", IDYES);
  EXPECT_EQ(probe.Result()[0], "-1");
}

}  // namespace
