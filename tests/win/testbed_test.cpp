// The Wine test bed gives every test what the runner meets on its target
// systems: code page 936, the Windows family asked for, and real file locks
// between processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "held_file_win.h"

namespace {

// "错误" in code page 936 and in UTF-16.
const char kGbkError[] = "\xB4\xED\xCE\xF3";
const wchar_t kWideError[] = L"\x9519\x8BEF";

TEST(TestBed, AnsiCodePageIs936) {
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(GetOEMCP(), 936u);
}

TEST(TestBed, GbkTextRoundTripsThroughAControl) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr) << "no display?";

  ASSERT_TRUE(SetWindowTextA(edit, kGbkError));
  wchar_t wide[16] = {};
  GetWindowTextW(edit, wide, 16);
  EXPECT_STREQ(wide, kWideError);

  ASSERT_TRUE(SetWindowTextW(edit, kWideError));
  char ansi[16] = {};
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof ansi, reinterpret_cast<LPARAM>(ansi)), 4);
  EXPECT_STREQ(ansi, kGbkError);
  DestroyWindow(edit);
}

struct ExpectedVersion {
  DWORD platform;
  DWORD major;
  DWORD minor;
};

// What GetVersionExA must report for the SKAL_WINVER that wine-run.sh set.
ExpectedVersion ExpectedFor(const std::string& family) {
  if (family == "win98") return {VER_PLATFORM_WIN32_WINDOWS, 4, 10};
  if (family == "winme") return {VER_PLATFORM_WIN32_WINDOWS, 4, 90};
  if (family == "win2k") return {VER_PLATFORM_WIN32_NT, 5, 0};
  if (family == "winxp") return {VER_PLATFORM_WIN32_NT, 5, 1};
  return {VER_PLATFORM_WIN32_NT, 6, 1};  // the template's own: Windows 7
}

TEST(TestBed, VersionIsTheFamilyAskedFor) {
  const char* asked = std::getenv("SKAL_WINVER");
  const std::string family = asked != nullptr ? asked : "";
  const ExpectedVersion expected = ExpectedFor(family);

  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwPlatformId, expected.platform) << family;
  EXPECT_EQ(info.dwMajorVersion, expected.major) << family;
  EXPECT_EQ(info.dwMinorVersion, expected.minor) << family;
  if (expected.platform == VER_PLATFORM_WIN32_WINDOWS) {
    // 95/98 and Me tell apart by the version in the build number's high word.
    const DWORD high = HIWORD(info.dwBuildNumber);
    if (family == "winme") {
      EXPECT_GE(high, 0x045Au);
    } else {
      EXPECT_LT(high, 0x045Au);
    }
  }
}

// A file held open by holdfile.exe, in its own process.
class HeldFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    path_ = std::string(temp) + "testbed_held.dat";
    source_ = std::string(temp) + "testbed_source.dat";
    WriteFile(source_, "new");
  }
  void TearDown() override {
    holder_.Terminate();
    DeleteFileA(path_.c_str());
    DeleteFileA((path_ + ".ready").c_str());
    DeleteFileA(source_.c_str());
  }

  static void WriteFile(const std::string& path, const char* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, text, std::strlen(text), &written, nullptr);
    CloseHandle(file);
  }

  void Hold(const char* mode) {
    ASSERT_TRUE(automation::HoldFile(holder_, path_, mode)) << "holdfile did not hold " << path_;
  }

  // The error of opening the file with `access` while sharing everything.
  DWORD OpenError(DWORD access) {
    HANDLE file = CreateFileA(path_.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return ERROR_SUCCESS;
  }

  std::string path_;
  std::string source_;
  automation::ChildProcess holder_;
};

TEST_F(HeldFile, ShareNoneBlocksCopyOverItUntilReleased) {
  ASSERT_NO_FATAL_FAILURE(Hold("none"));
  EXPECT_FALSE(CopyFileA(source_.c_str(), path_.c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(OpenError(GENERIC_READ), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  holder_.Terminate();
  EXPECT_TRUE(CopyFileA(source_.c_str(), path_.c_str(), FALSE)) << GetLastError();
}

TEST_F(HeldFile, ShareModesDecideWhatOthersMayOpen) {
  struct Case {
    const char* mode;
    DWORD readError;
    DWORD writeError;
  };
  for (const Case& c : {Case{"read", ERROR_SUCCESS, ERROR_SHARING_VIOLATION},
                        Case{"readwrite", ERROR_SUCCESS, ERROR_SUCCESS}}) {
    SCOPED_TRACE(c.mode);
    ASSERT_NO_FATAL_FAILURE(Hold(c.mode));
    EXPECT_EQ(OpenError(GENERIC_READ), c.readError);
    EXPECT_EQ(OpenError(GENERIC_WRITE), c.writeError);
    holder_.Terminate();
  }
}

}  // namespace
