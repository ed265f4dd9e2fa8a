// The automation helper drives the windows of another process (autofixture):
// captions and texts in code page 936, message boxes and a dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "automation_win.h"
#include "autofixture_ids.h"
#include "autofixture_support.h"
#include "child_process_win.h"

namespace {

using automation::ChildProcess;
using namespace autofixture;

// GBK: "更新错误" and a text with what command lines must quote.
const std::string kCaption = "\xB8\xFC\xD0\xC2\xB4\xED\xCE\xF3";
const std::string kText = "\xCE\xC4\xBC\xFE \"C:\\Program Files\\\" \xCA\xA7\xB0\xDC\\";

struct Answer {
  const char* buttons;
  int button;
};

class MessageBoxAnswer : public ::testing::TestWithParam<Answer> {};

TEST_P(MessageBoxAnswer, IsFoundReadAndAnsweredAndTheChildSeesTheButton) {
  ChildProcess child = StartFixture({"msgbox", kCaption, kText, GetParam().buttons});
  HWND box = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child.Id());
  ASSERT_NE(box, nullptr);

  EXPECT_TRUE(automation::IsMessageBox(box));
  std::string text;
  EXPECT_TRUE(automation::ReadMessageBoxText(box, text));
  EXPECT_EQ(text, kText);
  const std::vector<HWND> windows = automation::ProcessWindows(child.Id());
  EXPECT_NE(std::find(windows.begin(), windows.end(), box), windows.end());

  ASSERT_TRUE(automation::AnswerMessageBox(box, GetParam().button));
  EXPECT_EQ(ExitCodeOf(child), static_cast<DWORD>(GetParam().button));
}

INSTANTIATE_TEST_SUITE_P(Buttons, MessageBoxAnswer,
                         ::testing::Values(Answer{"ok", IDOK}, Answer{"yesno", IDYES}, Answer{"yesno", IDNO},
                                           Answer{"yesnocancel", IDCANCEL}),
                         [](const ::testing::TestParamInfo<Answer>& info) {
                           return std::string(info.param.buttons) + "_" + std::to_string(info.param.button);
                         });

TEST(MessageBoxRefusal, AnswersItDoesNotOfferAreRefused) {
  ChildProcess child = StartFixture({"msgbox", kCaption, kText, "yesno"});
  HWND box = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child.Id());
  ASSERT_NE(box, nullptr);

  EXPECT_FALSE(automation::AnswerMessageBox(box, IDCANCEL));
  EXPECT_FALSE(automation::AnswerMessageBox(box, IDOK));
  EXPECT_FALSE(automation::AnswerMessageBox(box, IDRETRY));
  DWORD exitCode = 0;
  EXPECT_FALSE(child.Wait(300, exitCode)) << "the box closed with " << exitCode;

  ASSERT_TRUE(automation::AnswerMessageBox(box, IDYES));
  EXPECT_EQ(ExitCodeOf(child), static_cast<DWORD>(IDYES));
}

TEST(WindowSearch, MatchesTheWholeCaptionOfTheGivenProcessOnly) {
  ChildProcess child = StartFixture({"msgbox", kCaption, kText, "ok"});
  ASSERT_NE(automation::WaitForWindow(kCaption, kWindowTimeoutMs, child.Id()), nullptr);

  EXPECT_EQ(automation::FindWindowByCaption(kCaption, GetCurrentProcessId()), nullptr);
  EXPECT_EQ(automation::FindWindowByCaption(kCaption.substr(0, 4)), nullptr);
  EXPECT_EQ(automation::FindWindowByCaption(kCaption + " "), nullptr);
  EXPECT_EQ(automation::WaitForWindow("no such window", 200), nullptr);
}

class FixtureDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    child_ = StartFixture({"dialog", kCaption, kText});
    dialog_ = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child_.Id());
    ASSERT_NE(dialog_, nullptr);
  }

  ChildProcess child_;
  HWND dialog_ = nullptr;
};

TEST_F(FixtureDialog, ControlTextsAreReadAndButtonsPressed) {
  EXPECT_FALSE(automation::IsMessageBox(dialog_));
  std::string text;
  EXPECT_TRUE(automation::ReadControlText(dialog_, IDC_MESSAGE, text));
  EXPECT_EQ(text, kText);
  EXPECT_FALSE(automation::ReadControlText(dialog_, 4242, text));

  ASSERT_TRUE(automation::PressButton(dialog_, IDC_COUNT));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "1"), "1");
  ASSERT_TRUE(automation::PressButton(dialog_, IDC_COUNT));
  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "2"), "2");

  ASSERT_TRUE(automation::PressButton(dialog_, IDOK));
  EXPECT_EQ(ExitCodeOf(child_), 2u);
}

TEST_F(FixtureDialog, ButtonsAUserCannotPressAreRefused) {
  EXPECT_FALSE(automation::PressButton(dialog_, IDC_LOCKED));
  EXPECT_FALSE(automation::PressButton(dialog_, 4242));

  // While the dialog's own message box is open, the dialog takes no clicks.
  ASSERT_TRUE(automation::PressButton(dialog_, IDC_ASK));
  HWND question = automation::WaitForWindow("Question", kWindowTimeoutMs, child_.Id());
  ASSERT_NE(question, nullptr);
  EXPECT_FALSE(automation::PressButton(dialog_, IDC_COUNT));
  ASSERT_TRUE(automation::AnswerMessageBox(question, IDNO));
  EXPECT_TRUE(automation::WaitForWindowGone(question, kWindowTimeoutMs));

  EXPECT_EQ(ControlTextOnceItIs(dialog_, IDC_COUNT_TEXT, "no"), "no");
  ASSERT_TRUE(automation::PressButton(dialog_, IDOK));
  EXPECT_EQ(ExitCodeOf(child_), 0u);
}

// A window whose text grows between the length query and the copy, as the
// report does when "Updating..." is replaced by the finished report.
const std::string kGrownText(300, 'r');
int growingLengthQueries = 0;

LRESULT CALLBACK GrowingTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) return ++growingLengthQueries == 1 ? 10 : kGrownText.size();
  if (message == WM_GETTEXT) {
    const size_t copied = std::min<size_t>(wParam - 1, kGrownText.size());
    std::copy_n(kGrownText.data(), copied, reinterpret_cast<char*>(lParam));
    reinterpret_cast<char*>(lParam)[copied] = '\0';
    return copied;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(WindowText, ATextThatGrowsWhileItIsReadIsReadWhole) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = GrowingTextProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "GrowingText";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  HWND window = CreateWindowA("GrowingText", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  std::string text;
  EXPECT_TRUE(automation::ReadWindowText(window, text));
  EXPECT_EQ(text, kGrownText);
  EXPECT_GE(growingLengthQueries, 2);
  DestroyWindow(window);
}

TEST(ChildProcess, StartsInItsWorkingFolder) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string folder = std::string(temp) + "automation_child";
  const std::string file = folder + "\\only_here.txt";
  CreateDirectoryA(folder.c_str(), nullptr);
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  ChildProcess inFolder;
  ASSERT_TRUE(inFolder.Start(
      automation::CommandLine(automation::ProgramFolder() + "autofixture.exe", {"exists", "only_here.txt"}), folder));
  EXPECT_EQ(ExitCodeOf(inFolder), 1u);
  ChildProcess elsewhere = StartFixture({"exists", "only_here.txt"});
  EXPECT_EQ(ExitCodeOf(elsewhere), 0u);

  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(ChildProcess, IsEndedWithItsObject) {
  HWND dialog = nullptr;
  {
    ChildProcess child = StartFixture({"dialog", kCaption, kText});
    dialog = automation::WaitForWindow(kCaption, kWindowTimeoutMs, child.Id());
    ASSERT_NE(dialog, nullptr);
  }
  EXPECT_TRUE(automation::WaitForWindowGone(dialog, kWindowTimeoutMs));
}

}  // namespace
