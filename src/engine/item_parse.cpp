// Reading one item section into an UpdateItem.
#include <algorithm>

#include "catalog/catalogue_flags.h"
#include "catalog/ini_text.h"
#include "catalog/update_catalog.h"
#include "engine/item_keys.h"
#include "engine/item_step.h"

namespace {

// The package's copy: the package files folder, the item's folder in the
// package ("/" read as "\"), then the file name.
std::string SourcePathOf(const std::string& packageFilesDir, const std::string& remotePath,
                         const std::string& fileName) {
  std::string folder = packageFilesDir;
  EnsureTrailingBackslash(folder);
  folder += remotePath;
  // '/' is never part of a double-byte character.
  std::replace(folder.begin(), folder.end(), '/', '\\');
  EnsureTrailingBackslash(folder);
  return folder + fileName;
}

// The catalogue names a file below the package and below one of the
// installation's folders. A damaged or hostile one must not reach past them:
// the file name may hold sub-folders but stays below its folder, has no empty
// level and ends in a level that names a file.
bool IsFileNameBelowItsFolder(const std::string& name) {
  if (name.find('/') != std::string::npos || !StaysBelowItsFolder(name)) return false;
  const std::vector<std::string> levels = SplitAtBackslashes(name);
  for (const std::string& level : levels)
    if (level.empty()) return false;
  return levels.back().find_first_not_of(". ") != std::string::npos;
}

uint32_t TypeIdOf(const UpdateCatalog& catalog, const std::string& typeName) {
  const std::string wanted = ini_text::FoldCase(typeName);
  for (const FileTypeEntry& type : catalog.FileTypes)
    if (ini_text::FoldCase(type.TypeName) == wanted) return type.TypeId;
  return 0;
}

}  // namespace

int ParseItem(const UpdateCatalog& catalog, UpdateItem& item, const std::string& packageFilesDir,
              const MacroFolders& folders, ItemReject* reject) {
  using namespace item_keys;
  const std::string& section = item.SectionName;
  auto text = [&](const ItemTextKey& key, const char* defaultValue) {
    return catalog.ReadString(section, key.name, defaultValue, key.limit);
  };
  auto fail = [reject](ItemReject why) {
    if (reject) *reject = why;
    return 0;
  };
  if (reject) *reject = ItemReject::kNone;

  item.FileName = text(kFileName, "");
  if (item.FileName.empty() || !IsFileNameBelowItsFolder(item.FileName)) return fail(ItemReject::kFileName);
  item.FileSize = catalog.ReadInt(section, "FileSize", 0);
  if (item.FileSize == 0) return fail(ItemReject::kFileSize);
  item.CheckVersionMethod = catalog.ReadInt(section, "CheckVersionMethod", 0);
  item.Version = text(kVersion, "");
  if (item.Version.empty()) return fail(ItemReject::kVersion);
  item.CRC = text(kCRC, "");
  if (item.CRC.empty()) return fail(ItemReject::kCRC);

  const std::string reboot = text(kReboot, "");
  if (reboot.empty()) return fail(ItemReject::kReboot);
  item.Reboot = IsTrueUnlessFalse(reboot) ? 1 : 0;
  item.UpdateRelative = IsTrueFlag(text(kUpdateRelative, "")) ? 1 : 0;
  item.Belong = catalog.ReadInt(section, "Belong", -1);
  item.SharedNeedReboot = IsTrueFlag(text(kSharedNeedReboot, "0")) ? 1 : 0;

  item.RemotePath = text(kRemotePath, "");
  if (item.RemotePath.empty()) return fail(ItemReject::kRemotePath);
  if (item.RemotePath == ".") item.RemotePath.clear();
  if (!StaysBelowItsFolder(item.RemotePath)) return fail(ItemReject::kRemotePathOutside);

  // An absent LocalPath means the program folder; one present but empty
  // names no folder at all.
  item.LocalPath = text(kLocalPath, "%PROGRAMDIR%");
  if (item.LocalPath.empty() || !ExpandPathMacro(item.LocalPath, folders.programDir, folders))
    return fail(ItemReject::kLocalPath);
  // The program folder's sub-folders stay below it.
  if (HasClimbingLevel(item.LocalPath)) return fail(ItemReject::kLocalPathClimbs);

  // Both ends of the copy must be addressable without cutting a path into
  // another one.
  item.SourcePath = SourcePathOf(packageFilesDir, item.RemotePath, item.FileName);
  if (!FitsPathLimit(item.SourcePath) || !FitsPathLimit(item.LocalPath + item.FileName))
    return fail(ItemReject::kPathLimit);

  item.CallBy = text(kCallBy, "");
  item.TypeId = TypeIdOf(catalog, text(kFileType, "Program"));
  item.Needed = 0;
  return 1;
}
