#pragma once
// The update decision: does the file installed on this machine need the
// package's copy of one catalogue item?
//
// The seam with the item step: the item step fills a DecisionInput from the
// item it has just parsed (LocalPath already expanded) and from the run and
// catalogue state, calls DecideUpdate, and stores the result in the item's
// Needed field. DecideUpdate reads nothing else: no catalogue file, no item
// list, no global run state.
#include <cstdint>
#include <string>

struct DecisionInput {
  // From the item.
  std::string FileName;            // file name without folder
  std::string LocalPath;           // expanded install folder, ending with a backslash
  std::string Version;             // as written: dotted version, or year.month.day for method 5
  std::string CRC;                 // the new file's CRC-32 as decimal text
  int32_t CheckVersionMethod = 0;
  int32_t Belong = -1;             // components the file belongs to
  // Method 7 only: the key OldVersion of the item's section (read with room
  // for 69 characters, default "0"). The item step may leave it at the
  // default for every other method.
  std::string OldVersion = "0";

  // From the catalogue and the run.
  int32_t ComponentMask = -1;      // installed components; -1 means all
  std::string programDir;          // installation folder: virus database files and their twins
};

// 1 when the item is needed, else 0:
// - not needed when Belong and ComponentMask share no bit;
// - method 4: always needed;
// - method 3: needed when the installed file's CRC-32 differs from CRC;
// - method 5: needed when Version is a later date than the installed file's
//   local modification date, else when the CRC differs;
// - method 2: not needed when the file's database twin is in programDir;
//   else, when the file itself is there, needed when the CRC differs; else needed;
// - method 7: needed when OldVersion equals the installed virus-database
//   version (both 0 when there is none);
// - any other method: needed when no file is installed; when the method's
//   version reader succeeds, needed when the CRC differs; otherwise by the
//   driver version (older: needed, newer: not needed, equal or unknown: CRC).
// An installed path (LocalPath + FileName) longer than 259 characters cannot
// name a file on the system, so such an item is never needed, except by method 4.
int DecideUpdate(const DecisionInput& input);

// Why the decision wants a file, for a dry run's report.
enum class NeedReason {
  kNotNeeded,
  kAlways,           // method 4
  kMissing,          // no installed file
  kCrcDiffers,       // the installed file's CRC-32 differs
  kOlderDate,        // method 5: the installed file is older than Version
  kDriverOlder,      // the installed driver's version is older than Version
  kDatabaseVersion,  // method 7: the installed database is OldVersion
};

// The decision of DecideUpdate with its reason; kNotNeeded where it answers 0.
NeedReason DecideUpdateReason(const DecisionInput& input);
