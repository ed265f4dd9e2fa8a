#include "commit/wininit_route.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace {

// A database listed as superseded but gone by the time the removal is
// scheduled needs no line: with nothing to delete, Wininit.ini is not made.
TEST(OldDatabaseRemoval9x, NothingLeftToDeleteWritesNoWininit) {
  MemoryFileSystem disk(WindowsFamily::k9x);
  disk.AddFolder("C:\\WINDOWS\\");
  disk.AddFolder("C:\\PROG\\");
  EXPECT_EQ(ScheduleOldDatabaseRemoval9x(disk, {"C:\\WINDOWS\\", "C:\\TEMP\\"}, {"C:\\PROG\\ZMT00000.DAT"}), 1);
  std::string bytes;
  EXPECT_FALSE(disk.Get("C:\\WINDOWS\\wininit.ini", bytes)) << bytes;
}

}  // namespace
