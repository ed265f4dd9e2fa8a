// The runner's switches as deployment tools write them, and the exit codes
// those tools read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/exit_code.h"

namespace {

// A command line and the options it sets; a fault names the wrong arguments
// as written, and the switches before and after them still count.
struct Switches {
  std::string line;
  std::string fault = "";
  bool silent = false, list = false, usage = false;
  int32_t version = 0;
  std::string programDir = "", reportPath = "";
};

TEST(CommandLine, SwitchesIgnoreCaseAndBlanksAndQuotesGroupBlanks) {
  const std::string folder = "C:\\Program Files\\Norvance\\Skal\\";
  const std::string longest = "C:\\" + std::string(kSwitchPathLimit - 3, 'a');
  const Switches cases[] = {
      {.line = ""},  // the interactive run
      {.line = "   "},
      {.line = "\t"},
      {.line = "  /s\t/Version=4  /programdir=C:\\Skal\\ /REPORT=C:\\r.txt /List", .silent = true, .list = true,
       .version = 4, .programDir = "C:\\Skal\\", .reportPath = "C:\\r.txt"},
      {.line = "/S", .silent = true},
      {.line = "/?", .usage = true},
      // Quotes group blanks wherever they stand; backslashes stay.
      {.line = "/PROGRAMDIR=\"" + folder + "\" /S", .silent = true, .programDir = folder},
      {.line = "\"/PROGRAMDIR=" + folder + "\" /S", .silent = true, .programDir = folder},
      {.line = "/PROGRAMDIR=\"C:\\Program Files\"\\Norvance\\Skal\\ /S", .silent = true, .programDir = folder},
      // Code page 936 folder names pass byte for byte (trail byte 0x5C included).
      {.line = "/PROGRAMDIR=\"D:\\\xCB\xAE\\\x95\x5C\\\"", .programDir = "D:\\\xCB\xAE\\\x95\x5C\\"},
      // Registry versions the scan knows.
      {.line = "/VERSION=1", .version = 1},
      {.line = "/VERSION=10", .version = 10},
      {.line = "/VERSION=07", .version = 7},
      {.line = "/VERSION=9", .version = 9},
      {.line = "/PROGRAMDIR=" + longest, .programDir = longest},
      {.line = "/REPORT=" + longest, .reportPath = longest},
      {.line = "/X  \t/S", .fault = "/X", .silent = true},
      {.line = "/S \"/bad one\" /T", .fault = "\"/bad one\" /T", .silent = true},
  };
  for (const Switches& c : cases) {
    RunOptions options;
    std::string fault;
    EXPECT_EQ(ParseCommandLine(c.line, options, fault), c.fault.empty()) << c.line;
    EXPECT_EQ(fault, c.fault) << c.line;
    EXPECT_EQ(options.silent, c.silent) << c.line;
    EXPECT_EQ(options.listOnly, c.list) << c.line;
    EXPECT_EQ(options.showUsage, c.usage) << c.line;
    EXPECT_EQ(options.version, c.version) << c.line;
    EXPECT_EQ(options.programDir, c.programDir) << c.line;
    EXPECT_EQ(options.reportPath, c.reportPath) << c.line;
  }
}

TEST(CommandLine, WrongArgumentsAreNamed) {
  const std::string tooLong = "C:\\" + std::string(kSwitchPathLimit - 2, 'a');
  const std::vector<std::string> wrong = {
      "/X", "/SILENT", "S", "-S", "/", "/S=1", "/?=1", "/VERSION", "/VERSION=", "/REPORT=", "/PROGRAMDIR",
      "\"/PROGRAMDIR=\"", "/S /S", "/VERSION=4 /VERSION=5", "/REPORT=a /REPORT=b", "/LIST=1", "/LIST /LIST",
      "/PROGRAMDIR=C:\\ C:\\other", "/VERSION=0", "/VERSION=11", "/VERSION=-1", "/VERSION=4.0", "/VERSION=V4",
      "/VERSION=004", "/VERSION=4x", "/VERSION=1/", "/VERSION=99999999999", "/PROGRAMDIR=" + tooLong,
      "/REPORT=" + tooLong};
  for (const std::string& line : wrong) {
    RunOptions options;
    std::string fault;
    EXPECT_FALSE(ParseCommandLine(line, options, fault)) << line;
    EXPECT_FALSE(fault.empty()) << line;
  }
}

TEST(UnattendedExitCode, FollowsTheInstallerConventions) {
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, false, false), 0);
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, false, true), 3010);
  EXPECT_EQ(UnattendedExitCode(Preparation::kRefused, true, false, false), 1602);
  EXPECT_EQ(UnattendedExitCode(Preparation::kFailed, true, false, false), 1603);
  // A failure outweighs the restart it may also have needed.
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, true, true, true), 1603);
  EXPECT_EQ(UnattendedExitCode(Preparation::kReady, false, false, false), 1603);
}

}  // namespace
