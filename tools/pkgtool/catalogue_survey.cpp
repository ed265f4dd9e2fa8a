#include "catalogue_survey.h"

#include <set>

#include "catalog/catalogue_flags.h"
#include "catalog/ini_text.h"
#include "catalog/registry_reader.h"
#include "engine/item_keys.h"
#include "engine/item_step.h"
#include "paths/path_ops.h"

namespace {

// The walk runs as on a machine with typical folders and the package in a
// folder of typical length, so that the path limits are judged as the runner
// would judge them there.
const std::string kPackageDir = "C:\\WINDOWS\\TEMP\\SKALUPD\\";
const std::string kProgramDir = "C:\\Program Files\\Norvance\\AntiVirus\\";
const std::string kTempDir = "C:\\WINDOWS\\TEMP\\";
const std::string kSystemDir = "C:\\WINDOWS\\SYSTEM32\\";
const std::string kWindowsDir = "C:\\WINDOWS\\";
constexpr size_t kMaxSectionName = 19;
constexpr unsigned kLongRead = 65535;

// No component installed values: the component mask stays "every component".
struct NoRegistry : RegistryReader {
  std::unique_ptr<RegistryValues> OpenMachineThenUser(const std::string&) const override { return nullptr; }
};

const char* RejectText(ItemReject reject) {
  switch (reject) {
    case ItemReject::kNone: return "rejected";
    case ItemReject::kFileName: return "FileName is missing or empty";
    case ItemReject::kFileSize: return "FileSize is missing or 0";
    case ItemReject::kVersion: return "Version is missing or empty";
    case ItemReject::kCRC: return "CRC is missing or empty";
    case ItemReject::kReboot: return "Reboot is missing or empty";
    case ItemReject::kRemotePath: return "RemotePath is missing or empty";
    case ItemReject::kRemotePathOutside: return "RemotePath leaves the package folder (a \"..\" level, a drive or a rooted path)";
    case ItemReject::kLocalPath: return "LocalPath is empty or names no folder the runner can expand";
    case ItemReject::kLocalPathClimbs: return "LocalPath climbs out of its folder with a \"..\" level";
    case ItemReject::kPathLimit: return "the file's path in the package or on the machine exceeds 259 characters";
  }
  return "rejected";
}

// Values the item step would read cut short.
void CheckLimits(const UpdateCatalog& catalog, const std::string& section, std::vector<ItemProblem>& problems) {
  for (const ItemTextKey& key : item_keys::kAll) {
    const std::string value = catalog.ReadString(section, key.name, "", kLongRead);
    if (value.size() > key.limit)
      problems.push_back({section, std::string(key.name) + " is longer than " + std::to_string(key.limit) +
                                       " characters"});
  }
}

// Splits at backslashes and slashes; "." and empty levels drop out. False for
// a ".." level.
bool SplitLevels(const std::string& path, std::vector<std::string>& parts) {
  parts.clear();
  std::string unified = path;
  for (size_t i = 0; i < unified.size(); i += CharacterWidthAt(unified, i))
    if (unified[i] == '/') unified[i] = '\\';
  for (std::string& level : SplitAtBackslashes(unified)) {
    if (level == "..") return false;
    if (!level.empty() && level != ".") parts.push_back(std::move(level));
  }
  return true;
}

// The sections the runner passes over without a word although their author
// meant them: an ITEM... section marked as an item, and every later copy of a
// section name (reads answer from the first).
void CheckSectionNames(const UpdateCatalog& catalog, std::vector<ItemProblem>& problems) {
  std::set<std::string> seen;
  for (const std::string& name : catalog.SectionNames()) {
    if (!seen.insert(ini_text::FoldCase(name)).second)
      problems.push_back({name, "the section name is given twice; the runner reads only the first"});
    else if (IsNeverAnItemName(name) &&
             IsTrueFlag(catalog.ReadString(name, item_keys::kUpdateFileFlag.name, "", item_keys::kUpdateFileFlag.limit)))
      problems.push_back({name, "a section named ITEM... is never an item, though its UpdateFileFlag is TRUE"});
  }
}

}  // namespace

bool SurveyCatalogue(UpdateCatalog& catalog, CatalogueSurvey& survey) {
  survey = CatalogueSurvey();
  const MacroFolders folders{kProgramDir, kTempDir, kSystemDir, kWindowsDir};
  std::vector<UpdateItem> accepted;
  const ItemStepContext step{
      folders,
      [&accepted](const UpdateCatalog&, UpdateItem& item) {
        accepted.push_back(item);
        return 0;  // kept by the survey, never by the catalogue
      },
      [](const std::string&, const std::string&) { return 1; }, [](const std::string&) {}, ""};
  NoRegistry registry;
  const CatalogueWalk walk{
      registry, {"program files", "engine files", "database files"},
      [&](UpdateCatalog& c, const std::string& section, const std::string& dir) {
        if (section.size() > kMaxSectionName)
          survey.problems.push_back({section, "the section name is longer than 19 characters"});
        const size_t before = accepted.size();
        if (ReadItem(c, section, dir, step) == 0) {
          UpdateItem item;
          item.SectionName = section;
          ItemReject reject = ItemReject::kNone;
          ParseItem(c, item, dir, folders, &reject);
          survey.problems.push_back({section, RejectText(reject)});
          CheckLimits(c, section, survey.problems);
        } else if (accepted.size() != before) {
          CheckLimits(c, section, survey.problems);
          // The runner commits only files of a type the catalogue knows.
          if (accepted.back().TypeId == 0)
            survey.problems.push_back({section, "FileType names none of the catalogue's file types"});
        }
        return 1;
      }};
  if (!catalog.ReadCatalogue("", kPackageDir, walk)) return false;
  CheckSectionNames(catalog, survey.problems);
  survey.items = std::move(accepted);
  return true;
}

bool ItemFileInPackage(const UpdateItem& item, std::vector<std::string>& parts) {
  if (item.SourcePath.compare(0, kPackageDir.size(), kPackageDir) != 0) return false;
  return SplitLevels(item.SourcePath.substr(kPackageDir.size()), parts) && !parts.empty();
}

bool ArchiveFolderOf(const UpdateCatalog& catalog, std::vector<std::string>& parts) {
  std::string pathName;
  catalog.PathName(pathName);
  std::string whole;
  catalog.ReadText("COMMENT", "PathName", whole, kLongRead);
  return whole.size() == pathName.size() && SplitLevels(pathName, parts);
}

std::string JoinParts(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "/") + part;
  return joined;
}
