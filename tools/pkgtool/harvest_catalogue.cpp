#include "harvest_catalogue.h"

#include <cstdio>

namespace {

void Key(std::string& text, const char* key, const std::string& value) { text += std::string(key) + "=" + value + "\r\n"; }

}  // namespace

std::string HarvestSectionName(size_t index) {
  char name[24];
  std::snprintf(name, sizeof name, "F%04zu", index + 1);
  return name;
}

std::string HarvestCatalogue(const std::string& packageSections, const std::vector<std::string>& archiveFolder,
                             const std::vector<HarvestItem>& items) {
  std::string text = "; Written by pkgtool harvest: the files of the new build that the installation lacks or\r\n"
                     "; holds with other bytes.\r\n" +
                     packageSections;
  for (size_t i = 0; i < items.size(); ++i) {
    const HarvestItem& item = items[i];
    const std::vector<std::string> folders(item.parts.begin(), item.parts.end() - 1);
    std::vector<std::string> remote = archiveFolder;
    remote.insert(remote.end(), folders.begin(), folders.end());
    text += "\r\n[" + HarvestSectionName(i) + "]\r\n";
    Key(text, "UpdateFileFlag", "TRUE");
    Key(text, "FileName", item.parts.back());
    Key(text, "FileSize", std::to_string(item.FileSize));
    Key(text, "CRC", std::to_string(item.CRC));
    Key(text, "Version", item.check.Version);
    Key(text, "CheckVersionMethod", std::to_string(item.check.method));
    if (item.check.method == 7) Key(text, "OldVersion", item.check.OldVersion);
    Key(text, "Reboot", item.kind.Reboot);
    Key(text, "RemotePath", remote.empty() ? "." : WindowsPath(remote));
    Key(text, "LocalPath", folders.empty() ? "%PROGRAMDIR%" : "%PROGRAMDIR\\" + WindowsPath(folders) + "%");
    if (!item.kind.CallBy.empty()) Key(text, "CallBy", item.kind.CallBy);
    Key(text, "FileType", item.kind.FileType);
  }
  return text;
}
