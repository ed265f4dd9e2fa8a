// The in-memory disk keeps the promises the fault tests rely on.
#include "memory_file_system.h"

#include <gtest/gtest.h>

#include "platform/whole_file.h"

namespace {

TEST(MemoryFileSystem, FamiliesDifferInMovesAndHeldFiles) {
  for (WindowsFamily family : {WindowsFamily::k9x, WindowsFamily::kNt}) {
    const bool nt = family == WindowsFamily::kNt;
    MemoryFileSystem disk(family);
    disk.AddFolder("C:\\P\\");
    disk.Put("C:\\P\\A", "a");
    disk.Put("C:\\P\\B", "b");
    disk.Put("C:\\P\\RUN.EXE", "running");
    disk.HoldOpen("C:\\P\\RUN.EXE");
    EXPECT_FALSE(disk.Move("C:\\P\\A", "C:\\P\\B"));
    EXPECT_EQ(disk.MoveReplacing("C:\\P\\A", "C:\\P\\b"), nt);
    EXPECT_EQ(disk.MoveAtRestart("C:\\P\\B", ""), nt);
    EXPECT_FALSE(disk.Delete("C:\\P\\RUN.EXE"));
    EXPECT_EQ(disk.Move("C:\\P\\RUN.EXE", "C:\\P\\RUN.OLD"), nt);  // a running program, renamed on NT
    OpenFile open(disk, "C:\\P\\NEW", FileOpen::kCreateNew);
    EXPECT_FALSE(disk.Delete("C:\\P\\NEW"));
  }
}

// A crash keeps names and flushed bytes; a failed call changes nothing but
// a write, which may leave part of its bytes.
TEST(MemoryFileSystem, CrashLosesUnflushedDataAndFailedWritesArePartial) {
  MemoryFileSystem disk(WindowsFamily::kNt);
  disk.AddFolder("C:\\P\\");
  ASSERT_TRUE(WriteFlushedFile(disk, "C:\\P\\KEPT", "flushed"));
  {
    OpenFile file(disk, "C:\\P\\LOST", FileOpen::kCreateNew);
    disk.FailCall(disk.Calls() + 1, 112);
    EXPECT_FALSE(disk.Write(file.Id(), "abcd", 4));
    EXPECT_EQ(disk.LastError(), 112u);
    EXPECT_TRUE(disk.Write(file.Id(), "ef", 2));
  }
  std::string bytes;
  ASSERT_TRUE(disk.Get("C:\\P\\LOST", bytes));
  EXPECT_EQ(bytes, "abef");
  disk.CrashAfterCall(disk.Calls());
  EXPECT_FALSE(disk.Delete("C:\\P\\KEPT"));
  EXPECT_TRUE(disk.Settle());
  ASSERT_TRUE(disk.Get("C:\\P\\LOST", bytes));
  EXPECT_EQ(bytes, "");
  ASSERT_TRUE(disk.Get("C:\\P\\KEPT", bytes));
  EXPECT_EQ(bytes, "flushed");
}

}  // namespace
