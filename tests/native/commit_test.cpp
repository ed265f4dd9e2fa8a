// What a commit puts in place and what it cleans up, and the texts it writes
// for the restart: the copy list, run entries, self-update entries and the
// DOS batch; the numbered side copy on the in-memory disk.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "commit/commit_selection.h"
#include "commit/copy_list.h"
#include "commit/numbered_copy.h"
#include "commit/os_family.h"
#include "commit/restart_batch_text.h"
#include "commit/run_entries.h"
#include "commit/self_update_entries.h"
#include "commit/superseded_databases.h"
#include "memory_file_system.h"

namespace {

UpdateItem Intact(uint32_t typeId) {
  UpdateItem item;
  item.SourceState = kSourceIntact;
  item.TypeId = typeId;
  item.Needed = 1;
  return item;
}

TEST(CommitSelection, ItemQualifiesOnlyIntactNeededAndOfAListedType) {
  EXPECT_TRUE(ItemQualifies(Intact(4), 6));
  EXPECT_FALSE(ItemQualifies(Intact(1), 6));
  UpdateItem unchecked = Intact(4);
  unchecked.SourceState = 0;
  EXPECT_FALSE(ItemQualifies(unchecked, 6));
  UpdateItem unwanted = Intact(4);
  unwanted.Needed = 0;
  EXPECT_FALSE(ItemQualifies(unwanted, 6));
}

TEST(CommitSelection, OneDamagedCopyMakesThePackageDamaged) {
  std::forward_list<UpdateItem> items{Intact(1), Intact(2)};
  EXPECT_FALSE(PackageDamaged(items));
  EXPECT_FALSE(PackageDamaged({}));
  std::next(items.begin())->SourceState = kSourceDamaged;
  EXPECT_TRUE(PackageDamaged(items));
}

TEST(OsFamily, PlatformAndBuildGiveTheFamily) {
  EXPECT_EQ(OsFamilyOf(1, 0x04000000u | 950), kOsFamily9x);   // Windows 95
  EXPECT_EQ(OsFamilyOf(1, 0x040A08AEu), kOsFamily9x);         // Windows 98 SE
  EXPECT_EQ(OsFamilyOf(1, 0x045A0BB8u), kOsFamilyMe);         // Windows Me
  EXPECT_EQ(OsFamilyOf(2, 2195), kOsFamilyNt);
  EXPECT_EQ(OsFamilyOf(0, 0), kOsFamilyOther);                // Win32s
  EXPECT_EQ(OsFamilyOf(3, 0), kOsFamilyOther);                // CE
}

TEST(OsFamily, WininitTakesStagedNamesOfTwelveCharactersAtMost) {
  EXPECT_TRUE(StagedNameFitsWininit("C:\\WINDOWS\\TEMP\\ZMT9X.EXE0"));
  EXPECT_TRUE(StagedNameFitsWininit("C:\\TEMP\\ZMT00012.DA0"));    // 12
  EXPECT_FALSE(StagedNameFitsWininit("C:\\TEMP\\ZMT00012.DAT0"));  // 13
  // A GBK folder whose last byte is 0x5C does not shorten the name.
  EXPECT_FALSE(StagedNameFitsWininit("C:\\\x95\x5C" "ABCDEFG.DL0"));
}

// Newest full database 3: the full ones below it, then the incremental ones
// up to it, each in ascending order; other names are not touched.
TEST(SupersededDatabases, FullBelowAndIncrementalUpToTheNewest) {
  const std::vector<std::string> listing{"ZMT00003.DAT", "zmt00001.upd", "ZMT00002.DAT", "ZMT00004.UPD",
                                         "ZMT00000.DAT", "ZMT00003.UPD", "ZMTABCDE.DAT", "ZMT00000.UPD",
                                         "ZMT9X.EXE"};
  EXPECT_EQ(SupersededDatabaseNames(listing, 3),
            (std::vector<std::string>{"ZMT00000.DAT", "ZMT00002.DAT", "ZMT00000.UPD", "zmt00001.upd",
                                      "ZMT00003.UPD"}));
}

TEST(SupersededDatabases, WithoutAFullDatabaseOnlyIncrementalZeroGoes) {
  EXPECT_EQ(SupersededDatabaseNames({"ZMT00000.UPD", "ZMT00001.UPD"}, 0), std::vector<std::string>{"ZMT00000.UPD"});
}

std::string Section(const std::string& name, const std::string& source, const std::string& destination) {
  return "[" + name + "]\r\nsrc=" + source + "\r\ndst=" + destination + "\r\n";
}

TEST(CopyList, SameFileNameInAnotherFolderGetsItsOwnSection) {
  EXPECT_EQ(CopySectionFor(IniFile(""), "C:\\A\\X.DLL"), "X.DLL");
  std::string list = Section("X.DLL", "C:\\T\\X.DLL0", "C:\\A\\X.DLL");
  EXPECT_EQ(CopySectionFor(IniFile(list), "C:\\B\\X.DLL"), "X.DLL|2");
  list += Section("X.DLL|2", "C:\\T\\X.DLL1", "C:\\B\\X.DLL");
  EXPECT_EQ(CopySectionFor(IniFile(list), "C:\\C\\x.dll"), "x.dll|3");
  // Both replacements survive, in the list's order.
  const auto copies = ListedCopies(IniFile(list));
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0].source, "C:\\T\\X.DLL0");
  EXPECT_EQ(copies[0].destination, "C:\\A\\X.DLL");
  EXPECT_EQ(copies[1].source, "C:\\T\\X.DLL1");
  EXPECT_EQ(copies[1].destination, "C:\\B\\X.DLL");
}

TEST(CopyList, ListedDestinationKeepsItsSection) {
  const std::string list = Section("X.DLL", "C:\\T\\X.DLL0", "C:\\A\\X.DLL") +
                           Section("X.DLL|2", "C:\\T\\X.DLL1", "C:\\B\\X.DLL");
  EXPECT_EQ(CopySectionFor(IniFile(list), "c:\\b\\x.dll"), "x.dll|2");
  // Case is folded for ASCII letters only: a trail byte 0x41 is not 0x61.
  const std::string wide = Section("X.DLL", "C:\\T\\X.DLL0", "C:\\\x81\x41\\X.DLL");
  EXPECT_EQ(CopySectionFor(IniFile(wide), "C:\\\x81\x41\\X.DLL"), "X.DLL");
  EXPECT_EQ(CopySectionFor(IniFile(wide), "C:\\\x81\x61\\X.DLL"), "X.DLL|2");
}

TEST(CopyList, OnlyCompleteSectionsAreReplacements) {
  const std::string list = "[A.DLL]\r\nsrc=C:\\T\\A.DLL0\r\n" + Section("B.DLL", "C:\\T\\B.DLL0", "C:\\B.DLL") +
                           "[C.DLL]\r\ndst=C:\\C.DLL\r\n" + Section("b.dll", "C:\\T\\B.DLL9", "C:\\Z.DLL");
  const auto copies = ListedCopies(IniFile(list));
  ASSERT_EQ(copies.size(), 1u);  // a repeated name is the first section only
  EXPECT_EQ(copies[0].destination, "C:\\B.DLL");
  // A section with one key is still taken: a new pair must not mix with it.
  EXPECT_EQ(CopySectionFor(IniFile(list), "C:\\X\\A.DLL"), "A.DLL|2");
}

TEST(RunEntries, CopyProgramJoinsAndLeavesTheUsersPrograms) {
  const std::string copier = "C:\\WINDOWS\\TEMP\\CopyFile.EXE";
  const std::string user = "C:\\TOOLS\\CLOCK.EXE C:\\MAIL\\CHECK.EXE";
  const std::string armed = AddRunEntry(user, copier);
  EXPECT_EQ(armed, user + " " + copier);
  EXPECT_EQ(AddRunEntry(armed, "c:\\windows\\temp\\copyfile.exe"), armed);
  EXPECT_EQ(RemoveRunEntry(armed, "c:\\windows\\temp\\copyfile.exe"), user);
  EXPECT_EQ(AddRunEntry("  ", copier), copier);
  EXPECT_EQ(RemoveRunEntry(copier, copier), "");
}

TEST(RunEntries, EntriesAreWholeNamesBetweenBlanksOrCommas) {
  const std::string copier = "C:\\T\\CopyFile.EXE";
  EXPECT_FALSE(HasRunEntry("C:\\T\\CopyFile.EXE2", copier));
  EXPECT_EQ(AddRunEntry("C:\\T\\CopyFile.EXE2", copier), "C:\\T\\CopyFile.EXE2 " + copier);
  EXPECT_EQ(RemoveRunEntry("A.EXE," + copier + ",\tB.EXE", copier), "A.EXE B.EXE");
  // Not listed: the value stays byte for byte.
  EXPECT_EQ(RemoveRunEntry("A.EXE,  B.EXE ", copier), "A.EXE,  B.EXE ");
}

TEST(SelfUpdateEntries, PairsInListOrderThenParameterAndProgram) {
  const auto entries = SelfUpdateEntries({{"P\\A.EXE", "C:\\S\\A.EXE"}, {"P\\B.DLL", "C:\\S\\B.DLL"},
                                          {"P\\C.DAT", "C:\\S\\C.DAT"}},
                                         "C:\\S\\");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"SrcFile0", "P\\A.EXE"}, {"DesFile0", "C:\\S\\A.EXE"}, {"SrcFile1", "P\\B.DLL"},
      {"DesFile1", "C:\\S\\B.DLL"}, {"SrcFile2", "P\\C.DAT"}, {"DesFile2", "C:\\S\\C.DAT"},
      {"Parameter", "/CONTINUE "}, {"FullPathName", "C:\\S\\Update.EXE"}};
  EXPECT_EQ(entries, expected);
}

const std::string kMover = "C:\\WINDOWS\\TEMP\\ZMTMove.EXE";
const std::string kBatch = "C:\\WINDOWS\\TEMP\\ZMTMove.BAT";

TEST(RestartBatchText, MoverGroupRunsWhileTheStagedFileIsThereAndMarksAFailure) {
  EXPECT_EQ(MoverGroup(kMover, "C:\\WINDOWS\\TEMP\\LONGNA~1.DL0", "C:\\PROGRA~1\\SKAL\\LONGNA~1.DLL"),
            "@if exist C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 C:\\WINDOWS\\TEMP\\ZMTMove.EXE "
            "C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 C:\\PROGRA~1\\SKAL\\LONGNA~1.DLL\r\n"
            "@if exist C:\\WINDOWS\\TEMP\\LONGNA~1.DL0 set ZMTKEEP=1\r\n");
}

TEST(RestartBatchText, FallbackClearsAttributesCopiesAndDeletes) {
  EXPECT_EQ(FallbackGroup("C:\\WINDOWS\\Command\\Attrib", "C:\\TEMP\\A.DL0", "C:\\SKAL\\A.DLL"),
            "@if exist C:\\SKAL\\A.DLL C:\\WINDOWS\\Command\\Attrib -s -h -r C:\\SKAL\\A.DLL\r\n"
            "@if exist C:\\TEMP\\A.DL0 copy /y C:\\TEMP\\A.DL0 C:\\SKAL\\A.DLL\r\n"
            "@if exist C:\\TEMP\\A.DL0 del C:\\TEMP\\A.DL0\r\n");
}

// What a batch that will never run leaves unreplaced, whichever group form.
TEST(RestartBatchText, DestinationsOfEveryGroup) {
  const std::string batch = MoverGroup(kMover, "C:\\T\\A.DL0", "C:\\SKAL\\A.DLL") +
                            FallbackGroup("C:\\W\\Command\\Attrib", "C:\\T\\B.DL0", "C:\\SKAL\\B.DLL");
  EXPECT_EQ(BatchDestinations(batch), (std::vector<std::string>{"C:\\SKAL\\A.DLL", "C:\\SKAL\\B.DLL"}));
  EXPECT_TRUE(BatchDestinations(StartFileText(kBatch, kMover)).empty());
}

TEST(RestartBatchText, LinesDosWouldCutAreRefused) {
  // "@if exist S M S D" at exactly 127 characters still fits, one more does not.
  const std::string prefix = "@if exist C:\\T\\S.DL0 " + kMover + " C:\\T\\S.DL0 C:\\";
  const std::string fitting(kMaxDosLine - prefix.size(), 'D');
  EXPECT_FALSE(MoverGroup(kMover, "C:\\T\\S.DL0", "C:\\" + fitting).empty());
  EXPECT_TRUE(MoverGroup(kMover, "C:\\T\\S.DL0", "C:\\" + fitting + "D").empty());
  EXPECT_TRUE(FallbackGroup("C:\\W\\Command\\Attrib", "C:\\T\\S.DL0", "C:\\" + std::string(120, 'D')).empty());
  EXPECT_TRUE(StartFileText("C:\\" + std::string(120, 'B'), kMover).empty());
}

TEST(RestartBatchText, StartTextStartsOnALineOfItsOwn) {
  const std::string start = StartFileText(kBatch, kMover);
  EXPECT_EQ(start,
            "\r\n@set ZMTKEEP=\r\n"
            "@if exist C:\\WINDOWS\\TEMP\\ZMTMove.BAT call C:\\WINDOWS\\TEMP\\ZMTMove.BAT\r\n"
            "@if \"%ZMTKEEP%\"==\"\" if exist C:\\WINDOWS\\TEMP\\ZMTMove.BAT del C:\\WINDOWS\\TEMP\\ZMTMove.BAT\r\n"
            "@if \"%ZMTKEEP%\"==\"\" if exist C:\\WINDOWS\\TEMP\\ZMTMove.EXE del C:\\WINDOWS\\TEMP\\ZMTMove.EXE\r\n");
  // A last line without CR LF is ended by the text's own first CR LF.
  const std::string unended = "PATH C:\\WINDOWS";
  EXPECT_EQ(unended + StartTextToAppend(unended, start), unended + start);
}

TEST(RestartBatchText, StartTextIsAddedOnce) {
  const std::string start = StartFileText(kBatch, kMover);
  const std::string armed = "@ECHO OFF\r\n" + start + "SET BLASTER=A220\r\n";
  EXPECT_EQ(StartTextToAppend(armed, start), "");
  EXPECT_EQ(StartTextToAppend("", start), start);
  // Another temporary folder is another start text.
  EXPECT_EQ(StartTextToAppend(armed, StartFileText("D:\\TMP\\ZMTMove.BAT", "D:\\TMP\\ZMTMove.EXE")),
            StartFileText("D:\\TMP\\ZMTMove.BAT", "D:\\TMP\\ZMTMove.EXE"));
}

// The side copy beside a file to replace, on the in-memory disk: the first
// free number, every byte across the copy buffer's pieces, the source's time
// and blocking attributes, and failures that leave every file as it was.
const std::string kFolder = "C:\\PROG\\";

std::string Bytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char(i * 7 + i / 251);
  return bytes;
}

class NumberedCopy : public ::testing::Test {
 protected:
  MemoryFileSystem disk{WindowsFamily::kNt};
  std::string path;

  void SetUp() override { disk.AddFolder(kFolder); }
  std::string Read(const std::string& file) {
    std::string bytes = "(none)";
    disk.Get(file, bytes);
    return bytes;
  }
};

// Empty, one short piece, exactly one 64 KiB piece, one byte over, several
// pieces and a short last one.
TEST_F(NumberedCopy, EveryByteAtSizesAroundThePiece) {
  for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(200003)}) {
    const std::string name = kFolder + "copy" + std::to_string(size) + ".dll";
    disk.Put(kFolder + "src", Bytes(size));
    ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, kFolder + "src", name, path)) << size;
    EXPECT_EQ(path, name + "0");
    EXPECT_TRUE(Read(path) == Bytes(size)) << size << " bytes";
  }
}

TEST_F(NumberedCopy, TakesTheFirstFreeNumberWhateverTheCaseOfTakenNames) {
  disk.Put(kFolder + "new.dll", "new");
  disk.Put(kFolder + "ZMT9X.EXE0", "zero");
  disk.Put(kFolder + "zmt9x.exe1", "one");
  ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, kFolder + "new.dll", kFolder + "ZMT9X.EXE", path));
  EXPECT_EQ(path, kFolder + "ZMT9X.EXE2");
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(Read(kFolder + "ZMT9X.EXE0"), "zero");
  EXPECT_EQ(Read(kFolder + "zmt9x.exe1"), "one");
}

TEST_F(NumberedCopy, KeepsTheSourcesTimeAndEachBlockingAttribute) {
  const FileTime past{0x12345678u, 0x01C3A000u};
  for (uint32_t blocking : {kAttributeReadOnly, kAttributeHidden, kAttributeSystem}) {
    const std::string source = kFolder + "new" + std::to_string(blocking);
    disk.Put(source, "new");
    {
      OpenFile file(disk, source, FileOpen::kReadWrite);
      ASSERT_TRUE(disk.SetWriteTime(file.Id(), past));
    }
    ASSERT_TRUE(disk.SetAttributes(source, blocking));
    ASSERT_TRUE(CopyToFirstFreeNumberedPath(disk, source, source + ".dll", path));
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(disk.Attributes(path) & blocking, blocking);
    OpenFile copy(disk, path, FileOpen::kRead);
    FileTime copied;
    ASSERT_TRUE(disk.WriteTime(copy.Id(), copied));
    EXPECT_EQ(copied.low, past.low);
    EXPECT_EQ(copied.high, past.high);
  }
}

// A missing source, a folder that does not exist, a name past the path
// buffer: no copy is made and no file changes.
TEST_F(NumberedCopy, FailsWithoutTouchingAnyFile) {
  disk.Put(kFolder + "old.dll0", "kept");
  disk.Put(kFolder + "src", "abc");
  const auto before = disk.Files();
  const struct {
    std::string source, base;
  } failures[] = {
      {kFolder + "missing", kFolder + "old.dll"},
      {kFolder + "src", kFolder + "no\\such\\folder\\x"},
      {kFolder + "src", kFolder + std::string(260, 'n')},
  };
  for (const auto& failure : failures) {
    EXPECT_FALSE(CopyToFirstFreeNumberedPath(disk, failure.source, failure.base, path)) << failure.base;
    EXPECT_EQ(disk.Files().size(), before.size()) << failure.base;
    EXPECT_EQ(Read(kFolder + "old.dll0"), "kept");
  }
}

}  // namespace
