// The automation helper's control functions against autofixture: list-view
// rows, keys, edit text and the shell's folder browser, each checked by what
// the other process saw or reports.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation_win.h"
#include "autofixture_ids.h"
#include "autofixture_support.h"
#include "child_process_win.h"
#include "controls_win.h"

namespace {

using automation::ChildProcess;
using namespace autofixture;

// GBK: "选择版本", rows "Skal 2003" and "防火墙 V2.0", browser title "选择Skal.NET版本的安装目录."
const std::string kCaption = "\xD1\xA1\xD4\xF1\xB0\xE6\xB1\xBE";
const std::string kFirewallRow = "\xB7\xC0\xBB\xF0\xC7\xBD V2.0";
const std::string kBrowserTitle = "\xD1\xA1\xD4\xF1Skal.NET\xB0\xE6\xB1\xBE\xB5\xC4\xB0\xB2\xD7\xB0\xC4\xBF\xC2\xBC.";

class FixtureList : public ::testing::Test {
 protected:
  void SetUp() override {
    child_ = StartFixture({"list", kCaption, "Skal 2003", kFirewallRow, "third"});
    dialog_ = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child_.Id());
    ASSERT_NE(dialog_, nullptr);
    list_ = GetDlgItem(dialog_, IDC_LIST);
    ASSERT_NE(list_, nullptr);
  }

  // Ends the fixture with OK; its exit code is 1 + the selected row.
  DWORD SelectedRowPlusOne() {
    EXPECT_TRUE(automation::PressButton(dialog_, IDOK));
    return ExitCodeOf(child_);
  }

  ChildProcess child_;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(FixtureList, RowsAreCountedAndReadWithTheirImages) {
  EXPECT_EQ(automation::ListViewRowCount(list_), 3);
  const std::vector<std::string> expected{"Skal 2003", kFirewallRow, "third"};
  for (int row = 0; row < 3; ++row) {
    std::string text;
    int image = -1;
    ASSERT_TRUE(automation::ReadListViewRow(list_, row, text, image)) << row;
    EXPECT_EQ(text, expected[row]);
    EXPECT_EQ(image, row);
  }
  std::string text = "kept";
  int image = 42;
  EXPECT_FALSE(automation::ReadListViewRow(list_, 3, text, image));
  EXPECT_FALSE(automation::ReadListViewRow(list_, -1, text, image));
  EXPECT_EQ(automation::ListViewRowCount(GetDlgItem(dialog_, IDC_COUNT_TEXT)), -1) << "a text is no list";
  EXPECT_FALSE(automation::ReadListViewRow(GetDlgItem(dialog_, IDC_COUNT_TEXT), 0, text, image));
  EXPECT_EQ(SelectedRowPlusOne(), 0u);
}

TEST_F(FixtureList, AClickSelectsTheRowAndNotifiesTheDialog) {
  EXPECT_FALSE(automation::ClickListViewRow(list_, 3));
  EXPECT_FALSE(automation::ClickListViewRow(list_, -1));
  ASSERT_TRUE(automation::ClickListViewRow(list_, 2));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "click 2"), "click 2");
  ASSERT_TRUE(automation::ClickListViewRow(list_, 1));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "click 1"), "click 1");
  EXPECT_EQ(SelectedRowPlusOne(), 2u);
}

TEST_F(FixtureList, KeysReachTheListAsKeyDownNotificationsAndMoveTheSelection) {
  ASSERT_TRUE(automation::ClickListViewRow(list_, 0));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "click 0"), "click 0");
  ASSERT_TRUE(automation::PressKey(list_, VK_SPACE));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "key 32"), "key 32");
  ASSERT_TRUE(automation::PressKey(list_, VK_DOWN));
  const std::string down = "key " + std::to_string(VK_DOWN);
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, down), down);
  EXPECT_EQ(SelectedRowPlusOne(), 2u);
}

class FixtureDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    child_ = StartFixture({"dialog", kCaption, "before"});
    dialog_ = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child_.Id());
    ASSERT_NE(dialog_, nullptr);
  }

  ChildProcess child_;
  HWND dialog_ = nullptr;
};

TEST_F(FixtureDialog, EditTextIsReplacedUnlessTheControlTakesNoInput) {
  ASSERT_TRUE(automation::SetControlText(dialog_, IDC_MESSAGE, kFirewallRow));
  std::string text;
  ASSERT_TRUE(automation::ReadControlText(dialog_, IDC_MESSAGE, text));
  EXPECT_EQ(text, kFirewallRow);
  EXPECT_FALSE(automation::SetControlText(dialog_, 4242, "x"));
  EXPECT_FALSE(automation::SetControlText(dialog_, IDC_LOCKED, "x")) << "a disabled control";
  EXPECT_FALSE(automation::PressKey(GetDlgItem(dialog_, IDC_LOCKED), VK_SPACE)) << "a disabled control";

  // While the dialog's own message box is open, its controls take no input.
  ASSERT_TRUE(automation::PressButton(dialog_, IDC_ASK));
  HWND question = automation::WaitForWindow("Question", kWindowTimeoutMs, child_.Id());
  ASSERT_NE(question, nullptr);
  EXPECT_FALSE(automation::SetControlText(dialog_, IDC_MESSAGE, "during the question"));
  EXPECT_FALSE(automation::PressKey(GetDlgItem(dialog_, IDC_COUNT), VK_SPACE));
  ASSERT_TRUE(automation::ReadControlText(dialog_, IDC_MESSAGE, text));
  EXPECT_EQ(text, kFirewallRow);
  ASSERT_TRUE(automation::AnswerMessageBox(question, IDNO));
  EXPECT_TRUE(automation::WaitForWindowGone(question, kWindowTimeoutMs));

  ASSERT_TRUE(automation::PressButton(dialog_, IDOK));
  EXPECT_EQ(ExitCodeOf(child_), 0u);
}

TEST(FolderBrowser, IsFoundByItsProcessAndItsTitleReadThenCancelled) {
  ChildProcess other = StartFixture({"msgbox", kCaption, "not a browser", "ok"});
  HWND box = automation::WaitForWindow(kCaption, kWindowTimeoutMs, other.Id());
  ASSERT_NE(box, nullptr);
  ChildProcess child = StartFixture({"browse", kBrowserTitle});

  HWND browser = automation::WaitForFolderBrowser(child.Id(), kWindowTimeoutMs);
  ASSERT_NE(browser, nullptr);
  std::string title;
  ASSERT_TRUE(automation::ReadFolderBrowserTitle(browser, title));
  EXPECT_EQ(title, kBrowserTitle);

  // A message box holds no folder tree, whichever way it is asked about.
  EXPECT_EQ(automation::WaitForFolderBrowser(0, kWindowTimeoutMs), browser);
  EXPECT_EQ(automation::WaitForFolderBrowser(other.Id(), 300), nullptr);
  EXPECT_FALSE(automation::ReadFolderBrowserTitle(box, title));
  ASSERT_TRUE(automation::AnswerMessageBox(box, IDOK));
  EXPECT_EQ(ExitCodeOf(other), static_cast<DWORD>(IDOK));

  ASSERT_TRUE(automation::PressButton(browser, IDCANCEL));
  EXPECT_EQ(ExitCodeOf(child), 0u) << "the browser reported a chosen folder";
}

}  // namespace
