#include <filesystem>
#include <optional>

#include "archive_fault_text.h"
#include "catalog/ini_text.h"
#include "catalogue_listing.h"
#include "catalogue_survey.h"
#include "engine/crc32.h"
#include "file_io.h"
#include "memory_archive.h"
#include "pack.h"
#include "package/depack.h"
#include "verbs.h"

namespace fs = std::filesystem;

namespace {

std::string Folded(const std::vector<std::string>& parts) { return ini_text::FoldCase(JoinParts(parts)); }

class Inspection {
 public:
  Inspection(const std::string& dir, std::ostream& out) : dir_(dir), out_(out) {}
  int Run();

 private:
  bool LoadCatalogue(UpdateCatalog& catalog);
  void LoadArchive(const std::vector<std::string>& folder);
  void VerifyItem(const UpdateItem& item, const std::vector<std::string>& archiveFolder);
  void Fault(const std::string& line) {
    out_ << "FAULT: " << line << "\n";
    ++faults_;
  }

  fs::path dir_;
  std::ostream& out_;
  std::string archiveName_;  // the archive's path in the package, for messages
  std::vector<ExtractedEntry> entries_;
  int faults_ = 0;
};

bool Inspection::LoadCatalogue(UpdateCatalog& catalog) {
  std::vector<unsigned char> packed, text;
  std::string error;
  if (!ReadWholeFile((dir_ / "index.dat").string(), packed, error)) {
    Fault("index.dat: " + error);
    return false;
  }
  const DepackResult result = UnpackImage(packed.data(), packed.size(), text);
  if (!result.ok()) {
    Fault(std::string("index.dat is damaged: ") + DepackStatusText(result.status));
    return false;
  }
  const OwnHeader own = ReadOwnHeader(packed.data(), packed.size());
  if (own.present && own.crc != Crc32Update(0, text.data(), text.size())) {
    Fault("index.dat is damaged: the unpacked catalogue does not have the CRC-32 its header records");
    return false;
  }
  catalog.UseText(std::string(text.begin(), text.end()));
  return true;
}

void Inspection::LoadArchive(const std::vector<std::string>& folder) {
  std::vector<std::string> parts = folder;
  parts.push_back("ZMTUPD.DAT");
  archiveName_ = JoinParts(parts);
  std::vector<unsigned char> archive;
  std::string error;
  if (!ReadWholeFile((dir_ / archiveName_).string(), archive, error)) {
    Fault(archiveName_ + ": " + error);
    return;
  }
  const ExtractOutcome outcome = ExtractInMemory(archive, entries_);
  out_ << "archive " << archiveName_ << "\n";
  for (const ExtractedEntry& entry : entries_) {
    std::vector<std::string> levels = entry.placement.folders;
    levels.push_back(entry.placement.name);
    out_ << "  " << JoinParts(levels) << " " << entry.data.size() << " bytes, CRC-32 "
         << Crc32Update(0, entry.data.data(), entry.data.size()) << "\n";
  }
  if (!outcome.ok())
    Fault(archiveName_ + " is damaged at " +
          (outcome.entry < 0 ? std::string("its header") : "entry " + std::to_string(outcome.entry)) + ": " +
          DescribeArchiveFault(outcome.fault));
}

void Inspection::VerifyItem(const UpdateItem& item, const std::vector<std::string>& archiveFolder) {
  const std::string name = "item [" + item.SectionName + "]";
  std::vector<std::string> parts;
  if (!ItemFileInPackage(item, parts)) return Fault(name + ": its file would lie outside the package folder");
  const std::vector<unsigned char>* content = nullptr;
  std::string where;
  // The archive is unpacked over the package folder, so its copy wins.
  for (const ExtractedEntry& entry : entries_) {
    std::vector<std::string> levels = archiveFolder;
    levels.insert(levels.end(), entry.placement.folders.begin(), entry.placement.folders.end());
    levels.push_back(entry.placement.name);
    if (Folded(levels) == Folded(parts)) {
      content = &entry.data;
      where = archiveName_ + " entry " + JoinParts(levels);
    }
  }
  std::vector<unsigned char> plain;
  if (!content) {
    where = JoinParts(parts);
    std::string error;
    if (!ReadWholeFile((dir_ / where).string(), plain, error))
      return Fault(name + ": its file " + where + " is missing from the package");
    content = &plain;
  }
  const uint32_t crc = Crc32Update(0, content->data(), content->size());
  if (content->size() != uint64_t(uint32_t(item.FileSize)))
    Fault(where + " is damaged: " + std::to_string(content->size()) + " bytes, " + name + " says " +
          std::to_string(item.FileSize));
  else if (crc != CrcFromText(item.CRC.c_str()))
    Fault(where + " is damaged: CRC-32 " + std::to_string(crc) + ", " + name + " says " + item.CRC);
}

int Inspection::Run() {
  UpdateCatalog catalog;
  if (!LoadCatalogue(catalog)) return kExitFailed;
  PrintCatalogueHead(catalog, out_);
  std::vector<std::string> archiveFolder;
  if (!ArchiveFolderOf(catalog, archiveFolder)) {
    Fault("[COMMENT] PathName names no folder inside the package");
    return kExitFailed;
  }
  LoadArchive(archiveFolder);
  CatalogueSurvey survey;
  if (!SurveyCatalogue(catalog, survey)) {
    Fault("index.dat holds no section");
    return kExitFailed;
  }
  out_ << "items\n";
  for (const UpdateItem& item : survey.items) PrintItem(item, out_);
  for (const ItemProblem& problem : survey.problems) Fault("item [" + problem.section + "]: " + problem.reason);
  for (const UpdateItem& item : survey.items) VerifyItem(item, archiveFolder);
  if (faults_ == 0) out_ << "package OK: " << survey.items.size() << " items verified\n";
  return faults_ == 0 ? kExitOk : kExitFailed;
}

}  // namespace

int RunInspect(const VerbArgs& args, std::ostream& out, std::ostream& err) {
  Inspection inspection(args[0], out);
  const int status = inspection.Run();
  if (status != kExitOk) err << "pkgtool: " << args[0] << " is damaged or inconsistent (see FAULT lines)\n";
  return status;
}
