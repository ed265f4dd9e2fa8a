// Broken and hostile packages given to the real runner for an installed
// product: the catalogue index.dat and the archive ZMTUPD.DAT cut short at
// every part of their layout, archive entries reaching past the file, names
// climbing out of the package. Each time the runner must show its message
// (6 for the catalogue, 27 for the archive), end normally, and leave every
// file outside the package folder as it was; the program folder gains only
// its run log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "archive_writer.h"
#include "automation_win.h"
#include "child_process_win.h"
#include "pack.h"
#include "package/archive_format.h"
#include "package/depack.h"
#include "resources/message_ids.h"
#include "sim_layout_win.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<unsigned char>;

// Every file and folder below `folder` with its size, write time and bytes,
// except the subtrees named in `skip` (relative, ending with a backslash).
using Snapshot = std::map<std::string, std::string>;

void TakeSnapshot(const std::string& folder, const std::string& relative, const std::vector<std::string>& skip,
                  Snapshot& snapshot) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (std::find(skip.begin(), skip.end(), path + "\\") != skip.end()) continue;
      snapshot[path + "\\"] = std::to_string(found.dwFileAttributes);
      TakeSnapshot(folder, path + "\\", skip, snapshot);
    } else {
      snapshot[path] = std::to_string(found.dwFileAttributes) + " " + std::to_string(found.ftLastWriteTime.dwLowDateTime) +
                       " " + ReadWholeFile(folder + path);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

ArchiveMember Member(const std::string& name, const std::string& folder, size_t size, uint32_t key) {
  ArchiveMember member;
  member.name = name;
  member.folder = folder;
  for (size_t i = 0; i < size; ++i) member.data.push_back(static_cast<unsigned char>(i * 7 + i / 251));
  member.key = key;
  member.times = {0x01C08DD1F1D6A000ull, 0x01C08DD1F1D6A000ull, 0x01C08DD1F1D6A000ull};
  return member;
}

void PutLe32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

class HostilePackage : public ::testing::Test {
 protected:
  std::string root = MakeScratchFolder("hostile");
  std::string package = root + "pkg\\";
  std::string product = root + "product\\";
  std::string outside = root + "outside\\";
  Bytes catalogue, archive;
  std::string catalogueText;

  void SetUp() override {
    sim::RemoveProductKeys();
    sim::Installation installation;
    installation.version = 4;
    installation.folder = product;
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
    ASSERT_TRUE(sim::LayOut(installation));
    ASSERT_TRUE(WriteWholeFile(product + "ZMEngine.DAT", "installed engine"));
    ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(outside + "bystander.txt", "must stay"));
    ASSERT_TRUE(CreateDirectoryA(package.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((package + "ZMTUPD").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "SkalUpd.exe").c_str(), (package + "SkalUpd.exe").c_str(), FALSE));

    // A package made for V4.0 (version index 3) that replaces the engine.
    catalogueText = "[COMMENT]\r\nPacketType=Special_DB\r\nVersion=3\r\nRegKey=" +
                             sim::ProductKey(sim::Product::kAntivirus, 4) +
                             "\r\nPathName=ZMTUPD\r\n\r\n[ZMEngine]\r\nUpdateFileFlag=TRUE\r\nFileName=ZMEngine.DAT\r\n"
                             "FileSize=40000\r\nVersion=4.0.3.1\r\nCRC=1\r\nReboot=FALSE\r\nRemotePath=ZMTUPD\r\n";
    catalogue = Packed(catalogueText);
    std::string error;
    ASSERT_TRUE(BuildArchive({Member("ZMEngine.DAT", "", 40000, 0x12345678), Member("Extra.DAT", "sub", 5000, 7)},
                             archive, error))
        << error;
  }
  void TearDown() override { sim::RemoveProductKeys(); }

  static Bytes Packed(const std::string& text) {
    return PackImage(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  }

  // Writes the package, runs the runner and answers its one message box.
  // Returns the message; checks the end and the files outside the package.
  std::string Run(const Bytes& index, const Bytes& zmtupd) {
    EXPECT_TRUE(WriteWholeFile(package + "index.dat", std::string(index.begin(), index.end())));
    EXPECT_TRUE(WriteWholeFile(package + "ZMTUPD\\ZMTUPD.DAT", std::string(zmtupd.begin(), zmtupd.end())));
    const std::vector<std::string> skip = {"pkg\\", "product\\LOGS\\"};
    Snapshot before, after;
    TakeSnapshot(root, "", skip, before);
    EXPECT_EQ(before.count("outside\\bystander.txt") + before.count("product\\ZMEngine.DAT"), 2u);

    std::string text;
    automation::ChildProcess runner;
    EXPECT_TRUE(runner.Start("\"" + package + "SkalUpd.exe\"", package));
    HWND box = automation::WaitForWindow(RunnerText(kMsgTitleError), 20000, runner.Id());
    EXPECT_NE(box, nullptr) << "no error message";
    if (box != nullptr) {
      EXPECT_TRUE(automation::IsMessageBox(box));
      automation::ReadMessageBoxText(box, text);
      EXPECT_TRUE(automation::AnswerMessageBox(box, IDOK));
    }
    DWORD exitCode = 0xFFFFFFFF;
    EXPECT_TRUE(runner.Wait(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);

    TakeSnapshot(root, "", skip, after);
    EXPECT_EQ(after, before) << "a file outside the package changed";
    EXPECT_EQ(GetFileAttributesA((TempFolder() + "index.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    return text;
  }

  // The archive with record `k`'s field at `field` overwritten.
  Bytes Patched(int k, size_t field, const std::string& bytes) const {
    Bytes patched = archive;
    std::memcpy(patched.data() + RecordOffset(k) + field, bytes.data(), bytes.size());
    return patched;
  }
};

Bytes Cut(const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); }

TEST_F(HostilePackage, CatalogueCutShortOrWithImpossibleFields) {
  std::vector<Bytes> broken;
  for (size_t size : {size_t(0), size_t(1), kPayloadOffsetAt, kPackedHeaderSize - 1, kPackedHeaderSize,
                      kPackedHeaderSize + 1, (kPackedHeaderSize + catalogue.size()) / 2, catalogue.size() - 1})
    broken.push_back(Cut(catalogue, size));
  // The stream said to start past the end; an expansion too large to hold.
  Bytes pastEnd = catalogue, tooLarge = catalogue;
  PutLe32(pastEnd, kPayloadOffsetAt, 0xFFFFFFF0u);
  PutLe32(tooLarge, kUnpackedSizeAt, 0xFFFFFFFFu);
  broken.push_back(pastEnd);
  broken.push_back(tooLarge);
  // An archive folder that climbs out of the package, even back into it.
  std::string climbing = catalogueText;
  climbing.replace(climbing.find("PathName=ZMTUPD"), 15, "PathName=..\\pkg\\ZMTUPD");
  broken.push_back(Packed(climbing));
  for (const Bytes& index : broken) EXPECT_EQ(Run(index, archive), RunnerText(kMsgCatalogueDamaged)) << index.size();
}

TEST_F(HostilePackage, ArchiveCutShortAtEveryPartOfItsLayout) {
  const size_t data = DataAreaOffset(2);
  for (size_t size : {size_t(0), kArchiveHeaderSize - 1, kArchiveHeaderSize, size_t(RecordOffset(1)) - 1,
                      data - 1, data, data + 40000 / 2, data + 40000, archive.size() - 1}) {
    EXPECT_EQ(Run(catalogue, Cut(archive, size)), RunnerText(kMsgArchiveDamaged)) << size;
  }
}

TEST_F(HostilePackage, ArchiveEntriesReachingPastTheFileOrOutOfThePackage) {
  const auto le32 = [](uint32_t value) {
    return std::string{char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
  };
  Bytes count = archive;
  PutLe32(count, 4, 0x7FFFFFFFu);  // more records than the file could hold
  const std::vector<Bytes> hostile = {
      count,
      Patched(1, kRecordEndOffset, le32(0x7FFFFFF0u)),             // data end far past the file
      Patched(1, kRecordSizeOffset, le32(0xFFFFFFFFu)),            // negative size
      Patched(0, kRecordSizeOffset, le32(45000)),                  // starts before the data area
      Patched(1, kRecordNameOffset, std::string("..\\..\\..\\outside\\x.txt") + '\0'),
      Patched(1, kRecordFolderOffset, std::string("..\\..\\outside") + '\0'),
      Patched(1, kRecordFolderOffset, std::string("sub\\..\\..\\..") + '\0'),
      Patched(1, kRecordNameOffset, "C:\\scratch\\x.txt" + std::string(1, '\0')),
      Patched(1, kRecordNameOffset, "bystander.txt:s" + std::string(1, '\0')),
      Patched(1, kRecordNameOffset, std::string(kRecordNameSize, 'n')),  // no NUL in the field
  };
  for (const Bytes& zmtupd : hostile) EXPECT_EQ(Run(catalogue, zmtupd), RunnerText(kMsgArchiveDamaged));
  EXPECT_EQ(ReadWholeFile(outside + "bystander.txt"), "must stay");
}

}  // namespace
