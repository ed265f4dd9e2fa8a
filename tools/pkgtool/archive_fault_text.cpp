#include "archive_fault_text.h"

const char* DescribeArchiveFault(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::kNone: return "no fault";
    case ArchiveFault::kUnreadable: return "the archive is truncated or unreadable";
    case ArchiveFault::kBadHeader: return "not an archive of format 1 with at least one entry";
    case ArchiveFault::kBadData: return "the entry's size or data offset is damaged";
    case ArchiveFault::kUnsafeName: return "the entry's name or folder would leave the destination";
    case ArchiveFault::kCreateFailed: return "cannot create the output file";
    case ArchiveFault::kWriteFailed: return "cannot write the output file";
  }
  return "unknown fault";
}
