// Every file step of the commit, run once per call index k on the in-memory
// disk with (a) an error at call k, (b) a crash (kill or power cut) after
// call k and (c) a write at call k that writes half its bytes but reports
// success, for each route and Windows family. After each run:
//  - the installed file is the old or the new file byte for byte (or an
//    earlier run's new file still pending), now and after the next restart;
//    on 95/98/Me, which cannot replace a file in one step, it may also be
//    renamed aside whole, which the next run takes back;
//  - nothing outside the program, package and temporary folders changed
//    (but Wininit.ini);
//  - a step that reported success has its whole result: the new file in
//    place after the restart, or the whole hand-off;
//  - a later run without faults completes the update and leaves no numbered
//    copy beside the installed file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "commit/delayed_move.h"
#include "commit/file_replacement.h"
#include "commit/item_replacement.h"
#include "commit/leftover_copies.h"
#include "commit/os_family.h"
#include "commit/self_update_handoff.h"
#include "commit/wininit_blocks.h"
#include "commit/wininit_route.h"
#include "commit/wininit_text.h"
#include "engine/crc32.h"
#include "memory_file_system.h"

namespace {

const std::string kWindows = "C:\\WINDOWS\\", kTemp = "C:\\TEMP\\", kProgram = "C:\\PROG\\", kPackage = "C:\\PKG\\";
const std::string kInstalled = kProgram + "ZMT9X.EXE", kPackageCopy = kPackage + "ZMT9X.EXE";
const std::string kWininit = kWindows + "wininit.ini", kEarlierTmp = kProgram + "ZMT9X.TMP";
const std::string kOldDatabase = kProgram + "ZMT00000.DAT", kNewestDatabase = kProgram + "ZMT00001.DAT";
const std::string kHandOff = kPackage + "Update.inf", kSelfUpdateProgram = kPackage + "UpdateSelf.DAT";

std::string Bytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char(((i + seed) * 2654435761u) >> 13);
  return bytes;
}

// Two 64 KiB pieces and a short one, so that copies take several calls.
const std::string kOld = Bytes(150000, 1), kNew = Bytes(150001, 2), kEarlier = Bytes(1000, 3);
const std::string kProgramBytes = Bytes(5000, 4);
const std::string kHandOffText = "[UpdateSelf]\r\nSrcFile0=" + kPackageCopy + "\r\nDesFile0=" + kInstalled +
                                 "\r\nParameter=/CONTINUE \r\nFullPathName=" + kProgram + "Update.EXE\r\n";
const std::string kEarlierHandOffText = "[UpdateSelf]\r\nSrcFile0=C:\\EARLIER.DAT\r\n";

enum class Step { kItem, kHandOff, kDatabases };

struct Route {
  const char* name;
  WindowsFamily family;
  Step step;
  bool locked;          // the product holds the installed file open
  bool earlierPending;  // Wininit.ini already moves an earlier run's new file onto it, or an
                       // earlier run's Update.inf (read-only) waits for the hand-off
};

const Route kRoutes[] = {
    {"NT replace", WindowsFamily::kNt, Step::kItem, false, false},
    {"NT delayed move", WindowsFamily::kNt, Step::kItem, true, false},
    {"95/98/Me replace", WindowsFamily::k9x, Step::kItem, false, false},
    {"Wininit.ini route", WindowsFamily::k9x, Step::kItem, true, false},
    {"Wininit.ini rerun refresh", WindowsFamily::k9x, Step::kItem, true, true},
    {"self-update hand-off NT", WindowsFamily::kNt, Step::kHandOff, false, false},
    {"self-update hand-off 95/98/Me", WindowsFamily::k9x, Step::kHandOff, false, false},
    {"self-update hand-off over an earlier one", WindowsFamily::kNt, Step::kHandOff, false, true},
    {"superseded databases 95/98/Me", WindowsFamily::k9x, Step::kDatabases, false, true},
};

void PrintTo(const Route& route, std::ostream* out) { *out << route.name; }

int32_t OsFamily(const Route& route) { return route.family == WindowsFamily::kNt ? kOsFamilyNt : kOsFamily9x; }

void LayOut(MemoryFileSystem& disk, const Route& route) {
  for (const std::string& folder : {kWindows, kTemp, kProgram, kPackage, std::string("C:\\OTHER\\")})
    disk.AddFolder(folder);
  disk.Put("C:\\OTHER\\KEEP.TXT", "not ours");
  disk.Put(kWindows + "Win.ini", "[windows]\r\n");
  disk.Put(kInstalled, kOld);
  disk.Put(kPackageCopy, kNew);
  disk.Put(kOldDatabase, "old database");
  disk.Put(kNewestDatabase, "newest database");
  if (route.locked) disk.HoldOpen(kInstalled);
  if (route.earlierPending && route.step == Step::kHandOff) {
    disk.Put(kHandOff, kEarlierHandOffText, kAttributeReadOnly);
  } else if (route.earlierPending) {
    disk.Put(kEarlierTmp, kEarlier);
    disk.Put(kWininit, "[rename]\r\n" + RouteBlock(kInstalled, kEarlierTmp));
  }
}

// What the restart will carry out, as text.
std::vector<std::string> PendingTexts(const MemoryFileSystem& disk) {
  std::string moves, wininit;
  for (const auto& [from, to] : disk.PendingMoves()) moves += from + "\n" + to + "\n";
  disk.Get(kWininit, wininit);
  return {moves, wininit};
}

bool RunStep(MemoryFileSystem& disk, const Route& route) {
  const int32_t family = OsFamily(route);
  switch (route.step) {
    case Step::kItem: {
      const ItemFiles item{kPackageCopy, kInstalled, kTemp + "ZMT9X.EXE", std::to_string(Crc32Update(0, kNew.data(), kNew.size()))};
      const auto defer = [&](const std::string& destination, const std::string& staged) {
        return family == kOsFamilyNt ? DeferByDelayedMove(disk, destination, staged)
                                     : DeferByWininit(disk, {kWindows, kTemp}, destination, staged);
      };
      const auto leftover = [&](const std::string& path) { return IsLeftoverCopy(disk, PendingTexts(disk), path); };
      const ItemOutcome outcome = PutItemInPlace(disk, family, item, defer, leftover);
      return outcome == ItemOutcome::kReplaced || outcome == ItemOutcome::kDeferred;
    }
    case Step::kHandOff:
      return WriteSelfUpdateHandOff(disk, {1, kPackage, kProgram, {{kPackageCopy, kInstalled}}}, kProgramBytes);
    case Step::kDatabases:
      return ScheduleOldDatabaseRemoval9x(disk, {kWindows, kTemp}, {kOldDatabase}) == 1;
  }
  return false;
}

bool Ours(const std::string& foldedPath) {
  for (const std::string& folder : {kTemp, kProgram, kPackage})
    if (foldedPath.rfind(FoldCase(folder), 0) == 0) return true;
  return foldedPath.rfind(FoldCase(kWindows + "wininit."), 0) == 0;  // wininit.ini, .bak and our .new, .old
}

class CommitFaults : public ::testing::TestWithParam<Route> {
 protected:
  // The installed file is one the invariant allows.
  void ExpectInstalledWhole(MemoryFileSystem& disk, const std::string& when) {
    std::string bytes, aside;
    if (!disk.Get(kInstalled, bytes)) {
      const bool takenAside = GetParam().family == WindowsFamily::k9x && disk.Get(AsidePath(kInstalled), aside) && aside == kOld;
      EXPECT_TRUE(takenAside) << "the installed file is gone " << when;
      return;
    }
    const bool whole = bytes == kOld || bytes == kNew || (GetParam().earlierPending && bytes == kEarlier);
    EXPECT_TRUE(whole) << "the installed file is neither old nor new (" << bytes.size() << " bytes) " << when;
  }

  void ExpectOthersUnchanged(const MemoryFileSystem& disk, const std::string& when) {
    auto before = outside, after = disk.Files();
    std::erase_if(after, [](const auto& entry) { return Ours(entry.first); });
    EXPECT_TRUE(after.size() == before.size() && std::equal(after.begin(), after.end(), before.begin(),
                                                            [](const auto& a, const auto& b) {
                                                              return a.first == b.first && a.second.bytes == b.second.bytes;
                                                            }))
        << "a file outside the program, package and temporary folders changed " << when;
  }

  void ExpectSuccessWhole(MemoryFileSystem& disk, const std::string& when) {
    std::string bytes;
    switch (GetParam().step) {
      case Step::kItem:
        EXPECT_TRUE(disk.Get(kInstalled, bytes) && bytes == kNew) << "success reported, new file not in place " << when;
        break;
      case Step::kHandOff:
        EXPECT_TRUE(disk.Get(kHandOff, bytes) && bytes == kHandOffText) << "success reported, no whole Update.inf " << when;
        EXPECT_TRUE(disk.Get(kSelfUpdateProgram, bytes) && bytes == kProgramBytes) << "success reported, no whole program " << when;
        break;
      case Step::kDatabases:
        EXPECT_FALSE(disk.Get(kOldDatabase, bytes)) << "success reported, old database kept " << when;
        break;
    }
  }

  // One run with the fault set on `disk`, the checks, the restart, a later
  // run without faults and the restart after it.
  void RunAndCheck(MemoryFileSystem& disk, const std::string& when) {
    const bool succeeded = RunStep(disk, GetParam());
    const bool crashed = disk.Settle();
    ExpectInstalledWhole(disk, when);
    std::string bytes;
    if (disk.Get(kHandOff, bytes)) {
      EXPECT_TRUE(bytes == kHandOffText || (GetParam().earlierPending && bytes == kEarlierHandOffText))
          << "Update.inf is not whole " << when;
    }
    disk.Restart(kWininit);
    ExpectInstalledWhole(disk, "after the restart " + when);
    EXPECT_TRUE(disk.Get(kNewestDatabase, bytes)) << "the newest database is gone " << when;
    if (succeeded && !crashed) ExpectSuccessWhole(disk, when);
    ExpectOthersUnchanged(disk, when);

    const bool laterSucceeded = RunStep(disk, GetParam());
    EXPECT_TRUE(laterSucceeded) << "a later run fails " << when;
    disk.Restart(kWininit);
    if (laterSucceeded) ExpectSuccessWhole(disk, "in a later run " + when);
    for (const auto& [key, entry] : disk.Files()) {
      const bool numberedCopy = key.size() > 0 && std::isdigit(static_cast<unsigned char>(key.back())) &&
                                key.rfind(FoldCase(kInstalled), 0) == 0;
      EXPECT_FALSE(numberedCopy) << entry.name << " is left over after a later run " << when;
    }
  }

  std::map<std::string, MemoryFileSystem::Entry> outside;
};

TEST_P(CommitFaults, NoFileLostAtAnyCall) {
  const Route& route = GetParam();
  MemoryFileSystem clean(route.family);
  LayOut(clean, route);
  outside = clean.Files();
  std::erase_if(outside, [](const auto& entry) { return Ours(entry.first); });
  ASSERT_TRUE(RunStep(clean, route)) << "the step fails without faults";
  const int calls = clean.Calls();
  for (int k = 1; k <= calls; ++k) {
    MemoryFileSystem failing(route.family);
    LayOut(failing, route);
    failing.FailCall(k, 5);
    RunAndCheck(failing, "with an error at call " + std::to_string(k));
    MemoryFileSystem crashing(route.family);
    LayOut(crashing, route);
    crashing.CrashAfterCall(k);
    RunAndCheck(crashing, "with a crash after call " + std::to_string(k));
    MemoryFileSystem cutting(route.family);
    LayOut(cutting, route);
    cutting.CutWriteSilently(k);
    RunAndCheck(cutting, "with a write cut short at call " + std::to_string(k));
  }
  std::printf("%s: %d calls, %d runs\n", route.name, calls, 3 * calls);
}

// A package copy that no longer has the catalogue's CRC-32 (also a
// read-only one, whose copy carries the attribute) is refused: the installed
// file stays and no copy is left beside it.
TEST(CommitCopyCheck, DamagedPackageCopyIsRefused) {
  for (uint32_t attributes : {kAttributeArchive, kAttributeReadOnly}) {
    MemoryFileSystem disk(WindowsFamily::kNt);
    LayOut(disk, kRoutes[0]);
    disk.Put(kPackageCopy, Bytes(kNew.size(), 5), attributes);
    const ItemFiles item{kPackageCopy, kInstalled, kTemp + "ZMT9X.EXE", std::to_string(Crc32Update(0, kNew.data(), kNew.size()))};
    const auto defer = [](const std::string&, const std::string&) { return 1; };
    EXPECT_EQ(PutItemInPlace(disk, kOsFamilyNt, item, defer, nullptr), ItemOutcome::kCopyDamaged);
    std::string bytes;
    EXPECT_TRUE(disk.Get(kInstalled, bytes) && bytes == kOld);
    EXPECT_FALSE(disk.Get(kInstalled + "0", bytes)) << "a copy is left beside the installed file";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryRoute, CommitFaults, ::testing::ValuesIn(kRoutes), [](const auto& info) {
  std::string name;
  for (const char* c = info.param.name; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
});

}  // namespace
