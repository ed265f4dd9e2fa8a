// Reading one item section into an UpdateItem.
#include <algorithm>

#include "catalog/catalogue_flags.h"
#include "catalog/ini_text.h"
#include "catalog/update_catalog.h"
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

uint32_t TypeIdOf(const UpdateCatalog& catalog, const std::string& typeName) {
  const std::string wanted = ini_text::FoldCase(typeName);
  for (const FileTypeEntry& type : catalog.FileTypes)
    if (ini_text::FoldCase(type.TypeName) == wanted) return type.TypeId;
  return 0;
}

}  // namespace

int ParseItem(const UpdateCatalog& catalog, UpdateItem& item, const std::string& packageFilesDir,
              const MacroFolders& folders) {
  const std::string& section = item.SectionName;
  auto text = [&](const char* key, const char* defaultValue, unsigned limit) {
    return catalog.ReadString(section, key, defaultValue, limit);
  };

  item.FileName = text("FileName", "", 259);
  if (item.FileName.empty()) return 0;
  item.FileSize = catalog.ReadInt(section, "FileSize", 0);
  if (item.FileSize == 0) return 0;
  item.CheckVersionMethod = catalog.ReadInt(section, "CheckVersionMethod", 0);
  item.Version = text("Version", "", 19);
  if (item.Version.empty()) return 0;
  item.CRC = text("CRC", "", 19);
  if (item.CRC.empty()) return 0;

  const std::string reboot = text("Reboot", "", 49);
  if (reboot.empty()) return 0;
  item.Reboot = IsTrueUnlessFalse(reboot) ? 1 : 0;
  item.UpdateRelative = IsTrueFlag(text("UpdateRelative", "", 49)) ? 1 : 0;
  item.Belong = catalog.ReadInt(section, "Belong", -1);
  item.SharedNeedReboot = IsTrueFlag(text("SharedNeedReboot", "0", 49)) ? 1 : 0;

  item.RemotePath = text("RemotePath", "", 259);
  if (item.RemotePath.empty()) return 0;
  if (item.RemotePath == ".") item.RemotePath.clear();

  // An absent LocalPath means the program folder; one present but empty
  // names no folder at all.
  item.LocalPath = text("LocalPath", "%PROGRAMDIR%", 259);
  if (item.LocalPath.empty()) return 0;
  if (!ExpandPathMacro(item.LocalPath, folders.programDir, folders)) return 0;

  // Both ends of the copy must be addressable without cutting a path into
  // another one.
  item.SourcePath = SourcePathOf(packageFilesDir, item.RemotePath, item.FileName);
  if (!FitsPathLimit(item.SourcePath) || !FitsPathLimit(item.LocalPath + item.FileName)) return 0;

  item.CallBy = text("CallBy", "", 259);
  item.TypeId = TypeIdOf(catalog, text("FileType", "Program", 49));
  item.Needed = 0;
  return 1;
}
