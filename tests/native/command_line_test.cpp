// The runner's switches as deployment tools write them, and the exit codes
// those tools read back.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/exit_code.h"

namespace {

struct Parsed {
  bool ok;
  RunOptions options;
  std::string fault;
};

Parsed Parse(const std::string& line) {
  Parsed parsed;
  parsed.ok = ParseCommandLine(line, parsed.options, parsed.fault);
  return parsed;
}

TEST(CommandLine, NoArgumentsIsTheInteractiveRun) {
  for (const char* line : {"", "   ", "\t"}) {
    Parsed parsed = Parse(line);
    EXPECT_TRUE(parsed.ok) << line;
    EXPECT_FALSE(parsed.options.silent);
    EXPECT_FALSE(parsed.options.showUsage);
    EXPECT_EQ(parsed.options.version, 0);
    EXPECT_TRUE(parsed.options.programDir.empty());
    EXPECT_TRUE(parsed.options.reportPath.empty());
  }
}

TEST(CommandLine, SwitchNamesIgnoreCaseAndBlanks) {
  Parsed parsed = Parse("  /s\t/Version=4  /programdir=C:\\Skal\\ /REPORT=C:\\r.txt /List");
  ASSERT_TRUE(parsed.ok) << parsed.fault;
  EXPECT_TRUE(parsed.options.silent);
  EXPECT_TRUE(parsed.options.listOnly);
  EXPECT_FALSE(Parse("/S").options.listOnly);
  EXPECT_EQ(parsed.options.version, 4);
  EXPECT_EQ(parsed.options.programDir, "C:\\Skal\\");
  EXPECT_EQ(parsed.options.reportPath, "C:\\r.txt");
  EXPECT_TRUE(Parse("/?").options.showUsage);
}

TEST(CommandLine, QuotesGroupBlanksWhereverTheyStandAndBackslashesStay) {
  const std::string folder = "C:\\Program Files\\Norvance\\Skal\\";
  for (const std::string& line : {"/PROGRAMDIR=\"" + folder + "\"", "\"/PROGRAMDIR=" + folder + "\"",
                                  std::string("/PROGRAMDIR=\"C:\\Program Files\"\\Norvance\\Skal\\")}) {
    Parsed parsed = Parse(line + " /S");
    ASSERT_TRUE(parsed.ok) << line << " -> " << parsed.fault;
    EXPECT_EQ(parsed.options.programDir, folder) << line;
    EXPECT_TRUE(parsed.options.silent);
  }
  // Code page 936 folder names pass byte for byte (trail byte 0x5C included).
  EXPECT_EQ(Parse("/PROGRAMDIR=\"D:\\\xCB\xAE\\\x95\x5C\\\"").options.programDir, "D:\\\xCB\xAE\\\x95\x5C\\");
}

TEST(CommandLine, WrongArgumentsAreNamedAsWritten) {
  for (const char* line : {"/X", "/SILENT", "S", "-S", "/", "/S=1", "/?=1", "/VERSION", "/VERSION=", "/REPORT=",
                           "/PROGRAMDIR", "\"/PROGRAMDIR=\"", "/S /S", "/VERSION=4 /VERSION=5",
                           "/REPORT=a /REPORT=b", "/LIST=1", "/LIST /LIST", "/PROGRAMDIR=C:\\ C:\\other"}) {
    Parsed parsed = Parse(line);
    EXPECT_FALSE(parsed.ok) << line;
    EXPECT_FALSE(parsed.fault.empty()) << line;
  }
  EXPECT_EQ(Parse("/S \"/bad one\" /T").fault, "\"/bad one\" /T");
}

TEST(CommandLine, AWrongArgumentStillLeavesTheRunSilent) {
  Parsed parsed = Parse("/X /S");
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.fault, "/X");
  EXPECT_TRUE(parsed.options.silent);
}

TEST(CommandLine, VersionIsARegistryVersionTheScanKnows) {
  EXPECT_EQ(Parse("/VERSION=1").options.version, 1);
  EXPECT_EQ(Parse("/VERSION=10").options.version, 10);
  EXPECT_EQ(Parse("/VERSION=07").options.version, 7);
  for (const char* line : {"/VERSION=0", "/VERSION=11", "/VERSION=-1", "/VERSION=4.0", "/VERSION=V4",
                           "/VERSION=004", "/VERSION=4x", "/VERSION=99999999999"})
    EXPECT_FALSE(Parse(line).ok) << line;
}

TEST(CommandLine, PathsOverThePathLimitAreRefused) {
  std::string longest = "C:\\" + std::string(kSwitchPathLimit - 3, 'a');
  EXPECT_EQ(Parse("/PROGRAMDIR=" + longest).options.programDir, longest);
  EXPECT_EQ(Parse("/REPORT=" + longest).options.reportPath, longest);
  EXPECT_FALSE(Parse("/PROGRAMDIR=" + longest + "a").ok);
  EXPECT_FALSE(Parse("/REPORT=" + longest + "a").ok);
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
