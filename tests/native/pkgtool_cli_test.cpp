// pkgtool's command line: the verbs run through RunCli as main() runs them,
// with their files, output and exit status; and the built program once.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "cli.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

class PkgtoolCli : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const { WriteBytes(dir_ / name, content); }
  std::string Read(const std::string& name) const { return ReadBytes(dir_ / name); }

  static VerbOutcome Pkgtool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
  }

  ScratchFolder scratch_{"pkgtool_cli"};
  const fs::path dir_ = scratch_.Path();
};

TEST_F(PkgtoolCli, Crc32PrintsUnsignedDecimalAndGoesOnPastAnUnreadableFile) {
  Write("abc.txt", "abc");
  VerbOutcome run = Pkgtool({"crc32", Path("abc.txt")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "891568578 " + Path("abc.txt") + "\n");
  EXPECT_EQ(run.err, "");

  Write("empty", "");
  run = Pkgtool({"crc32", Path("missing"), Path("empty"), dir_.string()});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, "0 " + Path("empty") + "\n");
  EXPECT_NE(run.err.find("missing"), std::string::npos);
  EXPECT_NE(run.err.find("directory"), std::string::npos);
}

TEST_F(PkgtoolCli, PackThenUnpackGivesTheSameBytesAndAnEmptyFileIsRefused) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "[F" + std::to_string(i) + ".DLL]\r\nCRC=" + std::to_string(i * 7919) + "\r\n";
  Write("index.txt", text);
  ASSERT_EQ(Pkgtool({"pack", Path("index.txt"), Path("index.dat")}).status, 0);
  EXPECT_LT(fs::file_size(Path("index.dat")), text.size() / 2);
  VerbOutcome run = Pkgtool({"unpack", Path("index.dat"), Path("back.txt")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Read("back.txt"), text);

  Write("empty", "");
  run = Pkgtool({"pack", Path("empty"), Path("out.dat")});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("empty"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("out.dat")));
}

// A damaged file fails and leaves an existing output as it was, with no
// temporary file behind.
TEST_F(PkgtoolCli, UnpackOfADamagedFileFailsCleanly) {
  Write("plain", std::string(5000, 'z') + "tail");
  ASSERT_EQ(Pkgtool({"pack", Path("plain"), Path("good.dat")}).status, 0);
  std::string packed = Read("good.dat");

  Write("cut.dat", packed.substr(0, packed.size() - 2));
  std::string badCrc = packed;
  badCrc[16] ^= 0x40;
  Write("crc.dat", badCrc);
  Write("short.dat", packed.substr(0, 50));
  for (const char* damaged : {"cut.dat", "crc.dat", "short.dat"}) {
    SCOPED_TRACE(damaged);
    Write("out.txt", "previous");
    VerbOutcome run = Pkgtool({"unpack", Path(damaged), Path("out.txt")});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(damaged), std::string::npos);
    EXPECT_EQ(Read("out.txt"), "previous");
    EXPECT_FALSE(fs::exists(Path("out.txt.partial")));
  }
}

TEST_F(PkgtoolCli, UsageForNoOrUnknownVerbOrWrongArguments) {
  VerbOutcome none = Pkgtool({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage"), std::string::npos);
  EXPECT_NE(none.err.find("crc32"), std::string::npos);
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"frobnicate"}, {"pack", "onlyone"}, {"crc32"}, {"--version", "x"}})
    EXPECT_EQ(Pkgtool(wrong).status, 2) << wrong[0];
}

// Every verb explains itself, and the authors' guide shows the same text.
TEST_F(PkgtoolCli, HelpOfEveryVerbIsTheTextOfTheAuthorsGuide) {
  const std::string guide = ReadBytes(SKAL_SOURCE_DIR "/docs/package-authors.md");
  VerbOutcome usage = Pkgtool({"--help"});
  EXPECT_EQ(usage.status, 0);
  EXPECT_NE(guide.find(usage.out), std::string::npos) << usage.out;
  int verbs = 0;
  for (size_t at = usage.out.find("\n  pkgtool "); at != std::string::npos; at = usage.out.find("\n  pkgtool ", at + 1)) {
    const size_t start = at + 11;
    const std::string verb = usage.out.substr(start, usage.out.find_first_of(" \n", start) - start);
    if (verb == "VERB" || verb.starts_with("--")) continue;
    ++verbs;
    VerbOutcome help = Pkgtool({verb, "--help"});
    EXPECT_EQ(help.status, 0) << verb;
    EXPECT_TRUE(help.out.starts_with("usage: pkgtool " + verb + " ")) << help.out;
    EXPECT_NE(help.out.find("exit codes: 0 "), std::string::npos) << verb;
    EXPECT_NE(help.out.find("example: pkgtool " + verb + " "), std::string::npos) << verb;
    EXPECT_NE(guide.find(help.out), std::string::npos) << verb << " --help differs from docs/package-authors.md";
  }
  EXPECT_GE(verbs, 6);
}

// The built program hands its arguments, output and status through.
TEST_F(PkgtoolCli, TheProgramRunsAsItsCommandLineSays) {
  const std::string command = std::string("'") + PKGTOOL_PATH + "' --version >'" + Path("stdout") + "'";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0);
  EXPECT_TRUE(Read("stdout").starts_with("pkgtool ")) << Read("stdout");
  EXPECT_EQ(std::system((std::string("'") + PKGTOOL_PATH + "' frobnicate 2>/dev/null").c_str()) >> 8, 2);
}

}  // namespace
