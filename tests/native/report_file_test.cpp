// Saving the report over an earlier file, with an error at every call and a
// crash after every call: the file at the path is always the old or the new
// report whole; a save that reports success left the new one.
#include <gtest/gtest.h>

#include "app/report_file.h"
#include "commit/os_family.h"
#include "memory_file_system.h"

namespace {

const std::string kFolder = "C:\\REPORTS\\", kPath = kFolder + "Report.txt";
const std::string kOld(70000, 'o'), kNew = std::string(90000, 'n') + "\r\n";

struct Family {
  WindowsFamily disk;
  int32_t osFamily;
};
const Family kFamilies[] = {{WindowsFamily::kNt, kOsFamilyNt}, {WindowsFamily::k9x, kOsFamily9x}};

bool Save(MemoryFileSystem& files, int32_t osFamily) {
  files.AddFolder(kFolder);
  files.Put(kPath, kOld);
  return SaveReportFile(files, osFamily, kPath, kNew);
}

TEST(SaveReportFile, NewOrReplacedWholeAndNothingLeftBeside) {
  for (const Family& family : kFamilies) {
    MemoryFileSystem fresh(family.disk);
    fresh.AddFolder(kFolder);
    std::string bytes;
    ASSERT_TRUE(SaveReportFile(fresh, family.osFamily, kPath, kNew));
    EXPECT_TRUE(fresh.Get(kPath, bytes) && bytes == kNew);

    MemoryFileSystem over(family.disk);
    ASSERT_TRUE(Save(over, family.osFamily));
    EXPECT_TRUE(over.Get(kPath, bytes) && bytes == kNew);
    EXPECT_EQ(over.Files().size(), 1u);

    MemoryFileSystem readOnly(family.disk);
    readOnly.AddFolder(kFolder);
    readOnly.Put(kPath, kOld, kAttributeReadOnly);
    EXPECT_FALSE(SaveReportFile(readOnly, family.osFamily, kPath, kNew));
    EXPECT_TRUE(readOnly.Get(kPath, bytes) && bytes == kOld);
  }
}

TEST(SaveReportFile, AFaultAtAnyCallKeepsTheOldReportWhole) {
  for (const Family& family : kFamilies) {
    MemoryFileSystem clean(family.disk);
    ASSERT_TRUE(Save(clean, family.osFamily));
    for (int k = 1; k <= clean.Calls(); ++k) {
      SCOPED_TRACE("call " + std::to_string(k) + (family.disk == WindowsFamily::kNt ? " on NT" : " on 9x"));
      MemoryFileSystem failing(family.disk);
      failing.FailCall(k, 5);
      const bool saved = Save(failing, family.osFamily);
      std::string bytes, staged;
      EXPECT_TRUE(failing.Get(kPath, bytes) && bytes == (saved ? kNew : kOld));
      EXPECT_FALSE(failing.Get(kPath + ".new", staged));

      MemoryFileSystem crashing(family.disk);
      crashing.CrashAfterCall(k);
      Save(crashing, family.osFamily);
      crashing.Settle();
      // 95/98/Me replace in two renames: cut off between them, the old
      // report stands renamed aside.
      if (!crashing.Get(kPath, bytes)) {
        ASSERT_TRUE(crashing.Get(kPath + ".old", bytes));
      }
      EXPECT_TRUE(bytes == kOld || bytes == kNew);
    }
  }
}

}  // namespace
