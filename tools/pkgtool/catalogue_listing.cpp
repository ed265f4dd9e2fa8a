#include "catalogue_listing.h"

#include <vector>

namespace {
const std::array<std::string, 3> kBuiltInDescriptions = {"(built in) program files", "(built in) engine files",
                                                         "(built in) database files"};
}  // namespace

void PrintCatalogueHead(UpdateCatalog& catalog, std::ostream& out) {
  std::string regKey, pathName;
  catalog.ReadText("COMMENT", "RegKey", regKey, 259);
  catalog.PathName(pathName);
  out << "header\n"
      << "  PacketType=" << catalog.ReadString("COMMENT", "PacketType", "General_DB", 49) << " (kind "
      << int(catalog.PacketType()) << ")\n"
      << "  Version=" << catalog.HeaderVersion() << "\n"
      << "  RegKey=" << regKey << "\n"
      << "  PathName=" << pathName << "\n"
      << "  NewUpdateSelfFirstFlag=" << catalog.ReadInt("COMMENT", "NewUpdateSelfFirstFlag", 0) << "\n";

  catalog.ReadFileTypes(kBuiltInDescriptions);
  out << "file types\n";
  for (const FileTypeEntry& type : catalog.FileTypes)
    out << "  " << type.TypeId << " " << type.TypeName << ": " << type.Description << "\n";

  catalog.ClearProcesses();
  catalog.ReadProcessList();
  std::vector<const ProductProcess*> processes;  // the list holds the newest first
  for (const ProductProcess& process : catalog.Processes) processes.insert(processes.begin(), &process);
  out << "processes\n";
  for (const ProductProcess* process : processes)
    out << "  " << process->FileName << " file " << process->ReleaseFileName << ", exit type " << process->ExitType
        << ", UID " << process->UID << ", stop '" << process->StopParam << "', start '" << process->StartParam
        << "'\n";

  out << "components\n";
  for (int n = 0;; ++n) {
    const std::string name = catalog.ReadString("Install", "ComponentName" + std::to_string(n), "", 259);
    if (name.empty()) break;
    out << "  " << name << " = " << catalog.ReadInt("Install", "ComponentValue" + std::to_string(n), 0) << "\n";
  }
}

void PrintItem(const UpdateItem& item, std::ostream& out) {
  out << "  [" << item.SectionName << "] " << item.FileName << " " << item.FileSize << " bytes, CRC " << item.CRC
      << ", version " << item.Version << ", method " << item.CheckVersionMethod << ", type " << item.TypeId
      << ", to " << item.LocalPath << (item.Reboot ? ", reboot" : "")
      << (item.UpdateRelative ? ", runner's own file" : "")
      << (item.CallBy.empty() ? "" : ", used by " + item.CallBy) << "\n";
}
