// The report dialog, driven as a user meets it: report_probe shows it over a
// run whose commit is simulated; the test reads the report, saves it, and
// leaves with Exit, Esc or the close box, answering the assistant offer.
#include <gtest/gtest.h>

#include <fstream>

#include "automation_win.h"
#include "held_file_win.h"
#include "child_process_win.h"
#include "installed_versions.h"
#include "log/message_text.h"
#include "resources/message_ids.h"
#include "resources/report_ids.h"
#include "save_dialog_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr char kAssistantClassKey[] = "CLSID\\{7CA83CF1-3AEA-42D0-A4E3-1594FC6E48B2}";
constexpr char kMarker[] = "Not Install 3721 Plug";

// The file once it holds `expected`, else what it holds when the wait ends:
// the runner and the installer write their files after a window has gone.
std::string ContentOnceItIs(const std::string& path, const std::string& expected) {
  std::string content = ReadWholeFile(path);
  for (DWORD start = GetTickCount(); content != expected && GetTickCount() - start < kTimeoutMs; Sleep(50))
    content = ReadWholeFile(path);
  return content;
}

// One showing of the report dialog by report_probe.
class ReportRun {
 public:
  ReportRun(const std::string& program, const std::string& regKey) {
    DeleteFileA(out_.c_str());
    EXPECT_TRUE(process_.Start(automation::CommandLine(ProgramFolder() + "report_probe.exe",
                                                       {program, regKey, out_})));
  }

  // The dialog once the update has run in it, with its report.
  HWND WaitForReport() {
    const std::string caption = Gbk("NorvanceSkal升级包升级报告");
    const std::string updating = RunnerText(kMsgUpdating);
    dialog_ = automation::WaitForWindow(caption, kTimeoutMs, process_.Id());
    EXPECT_NE(dialog_, nullptr) << "no report dialog";
    // A read may take its length before the report replaced the text and
    // its bytes after: the report counts once two reads agree.
    DWORD start = GetTickCount();
    std::string previous;
    while (dialog_ != nullptr && GetTickCount() - start < kTimeoutMs) {
      if (automation::ReadControlText(dialog_, IDC_REPORT_TEXT, report) && report != updating && report == previous)
        return dialog_;
      previous = report;
      Sleep(50);
    }
    ADD_FAILURE() << "the report did not replace the text shown while updating";
    return nullptr;
  }

  // Waits for the end; false (after answering No) when a message box asked
  // something first.
  bool EndsWithoutQuestion() {
    DWORD start = GetTickCount();
    DWORD code = 0;
    while (!process_.Wait(50, code)) {
      for (HWND window : automation::ProcessWindows(process_.Id())) {
        if (!automation::IsMessageBox(window)) continue;
        automation::AnswerMessageBox(window, IDNO);
        return false;
      }
      if (GetTickCount() - start > kTimeoutMs) return false;
    }
    Finish();
    return true;
  }

  // The question shown on leaving: its caption and text, answered with `button`.
  void Answer(int button, std::string& caption, std::string& text) {
    HWND box = nullptr;
    DWORD start = GetTickCount();
    while (box == nullptr && GetTickCount() - start < kTimeoutMs) {
      for (HWND window : automation::ProcessWindows(process_.Id()))
        if (automation::IsMessageBox(window)) box = window;
      Sleep(50);
    }
    ASSERT_NE(box, nullptr) << "no question";
    automation::ReadWindowText(box, caption);
    automation::ReadMessageBoxText(box, text);
    EXPECT_TRUE(automation::AnswerMessageBox(box, button));
    DWORD code = 0;
    EXPECT_TRUE(process_.Wait(kTimeoutMs, code));
    Finish();
  }

  DWORD Id() const { return process_.Id(); }

  std::string report;   // as the dialog shows it
  int result = -99;     // the dialog's end: IDOK or IDCANCEL

 private:
  void Finish() {
    std::ifstream in(out_, std::ios::binary);
    in >> result;
  }

  std::string out_ = MakeScratchFolder("report") + "result.txt";
  automation::ChildProcess process_;
  HWND dialog_ = nullptr;
};

class ReportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, regKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  void AddProgram(const char* file) {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + file).c_str(), (program + file).c_str(), FALSE));
  }

  bool MarkerPresent() { return DwordValue(HKEY_LOCAL_MACHINE, regKey, kMarker) == 1; }

  std::string program = MakeScratchFolder("with blank");
  std::string regKey = "SOFTWARE\\Norvance\\ReportTest\\" + std::to_string(GetTickCount());
};

TEST_F(ReportDialogTest, TheIconHandlerIsRegisteredOnceDuringTheRun) {
  AddProgram("RegIcon.DLL");
  ReportRun run(program, regKey);
  HWND dialog = run.WaitForReport();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ReadWholeFile(program + "RegIcon.trace"), "DllRegisterServer\r\n");
  ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0));
  ASSERT_TRUE(run.EndsWithoutQuestion());
}

// The proposed name and the saved bytes are report-saved.scenario's.
TEST_F(ReportDialogTest, SaveAsAddsTheExtensionAndAsksBeforeReplacing) {
  ReportRun run(program, regKey);
  HWND dialog = run.WaitForReport();
  ASSERT_NE(dialog, nullptr);

  ASSERT_TRUE(automation::PressButton(dialog, IDC_SAVE_AS));
  HWND save = automation::WaitForSaveDialog(run.Id(), dialog, kTimeoutMs);
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(automation::SaveAs(save, program + "saved"));  // the extension is added
  EXPECT_TRUE(automation::WaitForWindowGone(save, kTimeoutMs));
  EXPECT_EQ(ContentOnceItIs(program + "saved.txt", run.report), run.report);

  // Saving over an existing file asks first; Yes replaces it whole.
  ASSERT_TRUE(WriteWholeFile(program + "saved.txt", std::string(run.report.size() + 100, 'x')));
  ASSERT_TRUE(automation::PressButton(dialog, IDC_SAVE_AS));
  save = automation::WaitForSaveDialog(run.Id(), dialog, kTimeoutMs);
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(automation::SaveAs(save, program + "saved.txt"));
  HWND question = nullptr;
  for (DWORD start = GetTickCount(); question == nullptr && GetTickCount() - start < kTimeoutMs; Sleep(50))
    for (HWND window : automation::ProcessWindows(run.Id()))
      if (automation::IsMessageBox(window)) question = window;
  ASSERT_NE(question, nullptr) << "no question before replacing the file";
  ASSERT_TRUE(automation::AnswerMessageBox(question, IDYES));
  EXPECT_TRUE(automation::WaitForWindowGone(save, kTimeoutMs));
  EXPECT_EQ(ContentOnceItIs(program + "saved.txt", run.report), run.report);

  // A file that cannot be written (another program holds it; a read-only
  // attribute would not stop a test run as root under Wine) is named in a box
  // and left as it was.
  ASSERT_TRUE(WriteWholeFile(program + "saved.txt", "an older report"));
  {
    automation::ChildProcess holder;
    ASSERT_TRUE(automation::HoldFile(holder, program + "saved.txt", "read"));
    ASSERT_TRUE(automation::PressButton(dialog, IDC_SAVE_AS));
    save = automation::WaitForSaveDialog(run.Id(), dialog, kTimeoutMs);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(automation::SaveAs(save, program + "saved.txt"));
    // The question before replacing it, then the box.
    const std::string expected = FormatMessageText(RunnerText(kMsgReportNotSaved), {program + "saved.txt"});
    std::string text;
    for (DWORD start = GetTickCount(); text != expected && GetTickCount() - start < kTimeoutMs; Sleep(50))
      for (HWND window : automation::ProcessWindows(run.Id()))
        if (automation::IsMessageBox(window) && automation::ReadMessageBoxText(window, text))
          automation::AnswerMessageBox(window, text == expected ? IDOK : IDYES);
    EXPECT_EQ(text, expected);
  }
  EXPECT_EQ(ReadWholeFile(program + "saved.txt"), "an older report");

  ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0));
  ASSERT_TRUE(run.EndsWithoutQuestion());
}

TEST_F(ReportDialogTest, ExitOffersTheAssistantOnceNoRecordsTheOffer) {
  AddProgram("assist4.exe");
  {
    ReportRun run(program, regKey);
    HWND dialog = run.WaitForReport();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(automation::PressButton(dialog, IDOK));
    std::string caption, text;
    run.Answer(IDNO, caption, text);
    EXPECT_EQ(caption, RunnerText(kMsgTitleNotice));
    EXPECT_EQ(text, RunnerText(kMsgAssistantOffer));
    EXPECT_EQ(run.result, IDOK);
  }
  EXPECT_TRUE(MarkerPresent());
  EXPECT_FALSE(Exists(program + "assist4.cmdline"));
  ReportRun again(program, regKey);
  HWND dialog = again.WaitForReport();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(automation::PressButton(dialog, IDOK));
  EXPECT_TRUE(again.EndsWithoutQuestion());
  EXPECT_EQ(again.result, IDOK);
}

TEST_F(ReportDialogTest, YesStartsTheInstallerSilentlyAndRecordsTheOffer) {
  AddProgram("assist4.exe");
  ReportRun run(program, regKey);
  HWND dialog = run.WaitForReport();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(automation::PressButton(dialog, IDOK));
  std::string caption, text;
  run.Answer(IDYES, caption, text);
  EXPECT_TRUE(MarkerPresent());
  // The folder holds a blank: the path is quoted, the switch stays apart.
  const std::string expected = "\"" + program + "assist4.exe\" /S";
  EXPECT_EQ(ContentOnceItIs(program + "assist4.cmdline", expected), expected);
}

TEST_F(ReportDialogTest, EscAndCloseBoxLeaveWithoutOffer) {
  AddProgram("assist4.exe");
  for (bool escape : {true, false}) {
    ReportRun run(program, regKey);
    HWND dialog = run.WaitForReport();
    ASSERT_NE(dialog, nullptr);
    if (escape) {
      HWND edit = GetDlgItem(dialog, IDC_REPORT_TEXT);
      ASSERT_TRUE(PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001));
      ASSERT_TRUE(PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0010001));
    } else {
      ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0));
    }
    EXPECT_TRUE(run.EndsWithoutQuestion()) << (escape ? "Esc" : "close box");
    EXPECT_EQ(run.result, IDCANCEL);
  }
  EXPECT_FALSE(MarkerPresent());
}

TEST_F(ReportDialogTest, InstalledAssistantOrAnyMarkerMeansNoQuestion) {
  AddProgram("assist4.exe");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, kAssistantClassKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  auto leaveByExit = [&] {
    ReportRun run(program, regKey);
    HWND dialog = run.WaitForReport();
    return dialog != nullptr && automation::PressButton(dialog, IDOK) && run.EndsWithoutQuestion();
  };
  EXPECT_TRUE(leaveByExit()) << "assistant installed";
  EXPECT_FALSE(MarkerPresent());  // nothing asked, nothing recorded
  ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, kAssistantClassKey), ERROR_SUCCESS);

  // A marker of any type and data counts.
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, regKey.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const std::string longText(64, 'n');
  RegSetValueExA(key, kMarker, 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()), DWORD(longText.size() + 1));
  RegCloseKey(key);
  EXPECT_TRUE(leaveByExit()) << "text marker";
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, regKey.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD zero = 0;
  RegSetValueExA(key, kMarker, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegCloseKey(key);
  EXPECT_TRUE(leaveByExit()) << "marker 0";
  EXPECT_FALSE(Exists(program + "assist4.cmdline"));
}

}  // namespace
