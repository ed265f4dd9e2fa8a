#include "commit/item_replacement.h"

#include "commit/file_replacement.h"
#include "commit/numbered_copy.h"
#include "engine/crc32.h"

namespace {

// Clears the attributes of an installed file that would stop its
// replacement (read-only, hidden, system). A query first: setting attributes
// opens and closes the file, under Wine three round trips to its server, and
// most destinations have none of these, or do not exist yet.
void ClearBlockingAttributes(FileSystem& files, const std::string& destination) {
  const uint32_t blocking = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;
  const uint32_t attributes = files.Attributes(destination);
  if (attributes != kNoSuchFile && (attributes & blocking)) files.SetAttributes(destination, kAttributeNormal);
}

// A whole, checked copy of the package file at base + first free number: the
// bytes the copy read from the package file must have the catalogue's CRC-32
// (the copy itself has made sure that they all reached it).
ItemOutcome CheckedCopy(FileSystem& files, const ItemFiles& item, const std::string& base, std::string& copy,
                        const LeftoverTest& leftover) {
  uint32_t crc = 0;
  if (!CopyToFirstFreeNumberedPath(files, item.source, base, copy, leftover, &crc)) return ItemOutcome::kCopyFailed;
  if (crc == CrcFromText(item.crc.c_str())) return ItemOutcome::kReplaced;
  files.SetAttributes(copy, kAttributeNormal);
  files.Delete(copy);
  return ItemOutcome::kCopyDamaged;
}

}  // namespace

ItemOutcome PutItemInPlace(FileSystem& files, int32_t osFamily, const ItemFiles& item,
                           const RestartReplacement& defer, const LeftoverTest& leftover) {
  RestoreAsideFile(files, item.destination);
  ClearBlockingAttributes(files, item.destination);
  std::string side;
  const ItemOutcome copied = CheckedCopy(files, item, item.destination, side, leftover);
  if (copied != ItemOutcome::kReplaced) return copied;
  if (ReplaceFile(files, osFamily, side, item.destination)) return ItemOutcome::kReplaced;
  files.Delete(side);
  RestoreAsideFile(files, item.destination);

  std::string staged;
  const ItemOutcome stagedCopy = CheckedCopy(files, item, item.staging, staged, leftover);
  if (stagedCopy != ItemOutcome::kReplaced) return stagedCopy;
  if (defer(item.destination, staged)) return ItemOutcome::kDeferred;
  files.Delete(staged);
  return ItemOutcome::kDeferFailed;
}
