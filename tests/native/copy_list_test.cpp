#include "commit/copy_list.h"

#include <gtest/gtest.h>

#include <string>

#include "commit/run_entries.h"
#include "commit/self_update_entries.h"

namespace {

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

}  // namespace
