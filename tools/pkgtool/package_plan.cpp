#include "package_plan.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "catalog/ini_file.h"
#include "catalog/ini_text.h"
#include "catalogue_edit.h"
#include "catalogue_survey.h"
#include "engine/crc32.h"
#include "file_io.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kLongRead = 65536;

struct FileFacts {
  bool found = false;
  uint64_t size = 0;
  uint32_t crc = 0;
};

class PlanBuilder {
 public:
  PlanBuilder(const std::string& sourceDir, PackagePlan& plan, std::vector<std::string>& problems)
      : filesDir_((fs::path(sourceDir) / "files").string()), plan_(plan), problems_(problems) {}

  bool Run(const std::string& catalogPath);

 private:
  std::string Computed(const std::string& text);
  void CheckItems(const std::string& text);
  void SortFiles(const std::vector<std::string>& archiveFolder);
  FileFacts Facts(const std::vector<std::string>& parts);
  void Problem(const std::string& where, const std::string& reason) { problems_.push_back(where + ": " + reason); }

  std::string filesDir_;
  PackagePlan& plan_;
  std::vector<std::string>& problems_;
  std::map<std::vector<std::string>, FileFacts> facts_;
};

std::string ItemName(const std::string& section) { return "item [" + section + "]"; }

FileFacts PlanBuilder::Facts(const std::vector<std::string>& parts) {
  auto known = facts_.find(parts);
  if (known != facts_.end()) return known->second;
  FileFacts facts;
  const fs::path path = fs::path(filesDir_) / JoinParts(parts);
  std::error_code ec;
  std::string error;
  if (fs::is_regular_file(path, ec))
    facts.found = ReadInPieces(
        path.string(),
        [&](const unsigned char* bytes, size_t n) {
          facts.crc = Crc32Update(facts.crc, bytes, n);
          facts.size += n;
        },
        error);
  return facts_[parts] = facts;
}

// The catalogue with FileSize and CRC written into every item that leaves
// them out. Where the items' files are is learnt from a walk over the text
// with stand-in values, so that the file of an item is found exactly as the
// runner finds it.
std::string PlanBuilder::Computed(const std::string& text) {
  const IniFile ini(text);
  std::map<std::string, std::vector<std::string>> missing;  // section -> keys left out
  for (const std::string& section : ini.AllSectionNames()) {
    std::vector<std::string>& keys = missing[section];
    if (!keys.empty()) continue;
    for (const char* key : {"FileSize", "CRC"})
      if (ini.ReadString(section, key, "", kLongRead).empty()) keys.push_back(key);
  }
  std::string standIn = text;
  for (const auto& [section, keys] : missing) {
    std::vector<std::string> lines;
    for (const std::string& key : keys) lines.push_back(key + "=1");
    if (!lines.empty()) InsertKeyLines(standIn, section, lines);
  }
  UpdateCatalog catalog;
  catalog.UseText(standIn);
  CatalogueSurvey survey;
  if (!SurveyCatalogue(catalog, survey)) return text;

  // An item that is refused anyway (rejected, or without its file) keeps the
  // stand-in values, so that the check reports the real reason; such a
  // catalogue is never written.
  std::string filled = text;
  std::map<std::string, std::vector<std::string>> lines;
  for (const ItemProblem& problem : survey.problems)
    for (const std::string& key : missing[problem.section]) lines[problem.section].push_back(key + "=1");
  for (const UpdateItem& item : survey.items) {
    std::vector<std::string>& itemLines = lines[item.SectionName];
    itemLines.clear();
    std::vector<std::string> parts;
    const FileFacts facts = ItemFileInPackage(item, parts) ? Facts(parts) : FileFacts();
    for (const std::string& key : missing[item.SectionName]) {
      const uint64_t value = key == "CRC" ? facts.crc : facts.size;
      itemLines.push_back(key + "=" + (facts.found ? std::to_string(value) : "1"));
    }
  }
  for (const auto& [section, keyLines] : lines)
    if (!keyLines.empty()) InsertKeyLines(filled, section, keyLines);
  return filled;
}

void PlanBuilder::CheckItems(const std::string& text) {
  UpdateCatalog catalog;
  catalog.UseText(text);
  if (!ArchiveFolderOf(catalog, plan_.archiveFolder))
    Problem("[COMMENT] PathName", "must be a folder inside the package of at most 259 characters");
  CatalogueSurvey survey;
  if (!SurveyCatalogue(catalog, survey)) {
    Problem("catalog.ini", "holds no section");
    return;
  }
  for (const ItemProblem& problem : survey.problems) Problem(ItemName(problem.section), problem.reason);
  for (const UpdateItem& item : survey.items) {
    std::vector<std::string> parts;
    if (!ItemFileInPackage(item, parts)) {
      Problem(ItemName(item.SectionName), "its file would lie outside the package folder");
      continue;
    }
    const std::string file = "files/" + JoinParts(parts);
    const FileFacts facts = Facts(parts);
    if (!facts.found) {
      Problem(ItemName(item.SectionName), "source file " + file + " is missing");
    } else if (facts.size != uint64_t(uint32_t(item.FileSize))) {
      Problem(ItemName(item.SectionName), "FileSize " + std::to_string(item.FileSize) + " but " + file + " holds " +
                                              std::to_string(facts.size) + " bytes");
    } else if (CrcFromText(item.CRC.c_str()) != facts.crc) {
      Problem(ItemName(item.SectionName),
              "CRC " + item.CRC + " but " + file + " has CRC-32 " + std::to_string(facts.crc));
    }
  }
}

void PlanBuilder::SortFiles(const std::vector<std::string>& archiveFolder) {
  std::vector<std::string> archivePath = archiveFolder;
  archivePath.push_back("ZMTUPD.DAT");
  for (const SourceFile& file : ListSourceFiles(filesDir_)) {
    const std::string where = "files/" + JoinParts(file.parts);
    const std::string folded = ini_text::FoldCase(JoinParts(file.parts));
    if (folded == ini_text::FoldCase(JoinParts(archivePath)) || folded == "index.dat") {
      Problem(where, "the package writes a file of that name itself");
    } else if (IsBelow(file.parts, archiveFolder)) {
      ArchiveMember member;
      std::string reason;
      if (MakeArchiveMember(file, archiveFolder.size(), member, reason))
        plan_.members.push_back(std::move(member));
      else
        Problem(where, reason);
    } else {
      plan_.copies.push_back(file);
    }
  }
  if (plan_.members.empty())
    Problem("files/" + JoinParts(archiveFolder), "holds no file; the archive needs at least one");
}

bool PlanBuilder::Run(const std::string& catalogPath) {
  std::vector<unsigned char> bytes;
  std::string error;
  if (!ReadWholeFile(catalogPath, bytes, error)) {
    problems_.push_back(error);
    return false;
  }
  std::error_code ec;
  if (!fs::is_directory(fs::path(filesDir_), ec)) {
    problems_.push_back("no folder " + filesDir_);
    return false;
  }
  plan_.catalogue = Computed(std::string(bytes.begin(), bytes.end()));
  CheckItems(plan_.catalogue);
  if (problems_.empty()) SortFiles(plan_.archiveFolder);
  return problems_.empty();
}

}  // namespace

bool PlanPackage(const std::string& sourceDir, PackagePlan& plan, std::vector<std::string>& problems) {
  plan = PackagePlan();
  problems.clear();
  return PlanBuilder(sourceDir, plan, problems).Run((fs::path(sourceDir) / "catalog.ini").string());
}
