#include "commit/embedded_programs_win.h"

#include <gtest/gtest.h>

#include "win_test_support.h"

using namespace testsupport;

namespace {

TEST(WriteEmbeddedProgram, WritesEachCarriedProgramAsBuilt) {
  const std::string folder = MakeScratchFolder("embedded");
  const struct {
    CarriedProgram program;
    const char* built;
  } programs[] = {{CarriedProgram::kSelfUpdate, "UpdateSelf.DAT"},
                  {CarriedProgram::kMover, "ZMTMove.EXE"},
                  {CarriedProgram::kCopyProgram, "CopyFile.EXE"}};
  for (const auto& p : programs) {
    SCOPED_TRACE(p.built);
    const std::string built = ReadWholeFile(ProgramFolder() + p.built);
    ASSERT_GT(built.size(), 1000u);
    const std::string target = folder + p.built;
    // An older, longer file of that name is replaced, not overwritten in part.
    ASSERT_TRUE(WriteWholeFile(target, std::string(built.size() + 100, 'x')));
    EXPECT_EQ(WriteEmbeddedProgram(p.program, target), 1);
    EXPECT_TRUE(ReadWholeFile(target) == built);
    EXPECT_EQ(GetFileAttributesA(target.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
  }
}

}  // namespace
