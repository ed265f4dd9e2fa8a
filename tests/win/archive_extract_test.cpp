#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "archive_writer.h"
#include "engine/crc32.h"
#include "package/archive.h"
#include "package/archive_format.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<unsigned char>;

ArchiveMember Member(const std::string& name, const std::string& folder, const std::string& data, uint32_t key) {
  ArchiveMember member;
  member.name = name;
  member.folder = folder;
  member.data.assign(data.begin(), data.end());
  member.key = key;
  member.times = {0x01C08DD1F1D6A000ull, 0x01C08DD1F1D6A000ull, 0x01C08DD1F1D6A000ull};  // 2001-02-03
  return member;
}

Bytes Build(const std::vector<ArchiveMember>& members) {
  Bytes archive;
  std::string error;
  EXPECT_TRUE(BuildArchive(members, archive, error)) << error;
  return archive;
}

// Names in the folder (no "." and ".."), to check that nothing was written.
std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The archive lies in the package folder; entries go into `dest` below it.
struct Package {
  std::string folder = MakeScratchFolder("archive");
  std::string dest = folder + "dest\\";
  Package() { CreateDirectoryA(dest.c_str(), nullptr); }
  int Extract(const Bytes& archive, ExtractedCrcs* crcs = nullptr) {
    EXPECT_TRUE(WriteWholeFile(folder + "ZMTUPD.DAT", std::string(archive.begin(), archive.end())));
    return ExtractPackageArchive(folder + "ZMTUPD.DAT", dest, crcs);
  }
};

// Folders and data land on disk (the times reach the installed files in the
// harvested-package scenario), and the CRC-32 entered for each file is that
// of the file as it lies there; a name that comes twice holds the later
// entry's bytes.
TEST(ExtractPackageArchive, WritesFoldersAndDataAndEntersEachFilesCrc) {
  Package package;
  const std::string big = Noise(3 * kArchiveChunkSize + 5, 1);
  ASSERT_TRUE(WriteWholeFile(package.dest + "OLD.DAT", std::string(100000, 'o')));
  const std::vector<ArchiveMember> members = {
      Member("EMPTY.DAT", "", "", 0x12345678), Member("BIG.BIN", "a\\b", big, 0x89ABCDEF),
      Member("OLD.DAT", "", "first", 2), Member("OLD.DAT", "", "new", 0xFFFFFFFF)};
  ExtractedCrcs crcs;
  ASSERT_NE(package.Extract(Build(members), &crcs), 0);

  EXPECT_TRUE(IsFolder(package.dest + "a"));
  EXPECT_EQ(ReadWholeFile(package.dest + "OLD.DAT"), "new");  // replaced, not overwritten in place
  ASSERT_EQ(crcs.size(), 3u);
  for (const std::string& file : {package.dest + "EMPTY.DAT", package.dest + "a\\b\\BIG.BIN", package.dest + "OLD.DAT"}) {
    const std::string bytes = ReadWholeFile(file);
    ASSERT_EQ(crcs.count(file), 1u) << file;
    EXPECT_EQ(crcs[file], Crc32Update(0, bytes.data(), bytes.size())) << file;
  }
  EXPECT_TRUE(ReadWholeFile(package.dest + "a\\b\\BIG.BIN") == big);

  EXPECT_EQ(GetFileAttributesA((package.dest + "EMPTY.DAT").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST(ExtractPackageArchive, GbkNamesAndFoldersExtract) {
  Package package;
  // 数据\乗.txt: the second byte of 乗 (0x81 0x5C) equals a backslash.
  const std::string folder = "\xCA\xFD\xBE\xDD", name = "\x81\x5C.txt";
  ASSERT_NE(package.Extract(Build({Member(name, folder, "gbk", 3)})), 0);
  EXPECT_EQ(ReadWholeFile(package.dest + folder + "\\" + name), "gbk");
  EXPECT_EQ(Listing(package.dest), std::set<std::string>{folder});
}

// The placement rules are tested natively; here a refused entry stops the
// extraction before anything of it reaches the disk.
TEST(ExtractPackageArchive, AHostileEntryIsRefusedAndNothingLeavesTheDestination) {
  Package package;
  Bytes archive = Build({Member("FIRST.DAT", "", "1", 1), Member("OUT.DAT", "", "2", 2)});
  std::memcpy(archive.data() + RecordOffset(1) + kRecordNameOffset, "..\\OUT.DAT", 11);
  EXPECT_EQ(package.Extract(archive), 0);
  EXPECT_EQ(Listing(package.dest), std::set<std::string>{"FIRST.DAT"});
  EXPECT_EQ(Listing(package.folder), (std::set<std::string>{"ZMTUPD.DAT", "dest"}));
}

}  // namespace
