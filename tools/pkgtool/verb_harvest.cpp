#include <filesystem>
#include <system_error>

#include "catalog/update_catalog.h"
#include "catalogue_survey.h"
#include "file_io.h"
#include "harvest_catalogue.h"
#include "harvest_plan.h"
#include "harvest_rules.h"
#include "package_plan.h"
#include "verbs.h"

namespace fs = std::filesystem;

namespace {

struct HarvestArgs {
  std::string rulesPath;
  bool force = false;
  std::string oldDir, newDir, sourceDir;
};

bool ParseHarvestArgs(const VerbArgs& args, HarvestArgs& parsed) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--force") {
      parsed.force = true;
    } else if (args[i] == "--rules") {
      if (!parsed.rulesPath.empty() || i + 1 == args.size()) return false;
      parsed.rulesPath = args[++i];
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 3) return false;
  parsed.oldDir = paths[0];
  parsed.newDir = paths[1];
  parsed.sourceDir = paths[2];
  return true;
}

// SRC must be empty or missing; with --force its catalog.ini and files/ go.
bool PrepareSource(const HarvestArgs& args, std::string& error) {
  const fs::path dir(args.sourceDir);
  std::error_code ec;
  if (fs::exists(dir, ec) && !fs::is_empty(dir, ec)) {
    if (!args.force) {
      error = args.sourceDir + " is not empty; --force replaces its catalog.ini and files/";
      return false;
    }
    fs::remove(dir / "catalog.ini", ec);
    fs::remove_all(dir / "files", ec);
  }
  fs::create_directories(dir / "files", ec);
  if (!fs::is_directory(dir / "files", ec)) {
    error = "cannot create " + (dir / "files").string();
    return false;
  }
  return true;
}

// Each item's file below files/, with the new build's modification time.
bool CopyItemFiles(const std::string& filesDir, const std::vector<std::string>& archiveFolder,
                   const std::vector<HarvestItem>& items, std::string& error) {
  for (const HarvestItem& item : items) {
    fs::path target(filesDir);
    for (const std::string& level : archiveFolder) target /= level;
    for (const std::string& level : item.parts) target /= level;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (!ec) fs::copy_file(fs::path(item.sourcePath), target, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::last_write_time(target, fs::last_write_time(fs::path(item.sourcePath)), ec);
    if (ec) {
      error = "cannot copy " + item.sourcePath + " to " + target.string() + ": " + ec.message();
      return false;
    }
  }
  return true;
}

}  // namespace

int RunHarvest(const VerbArgs& args, std::ostream& out, std::ostream& err) {
  HarvestArgs parsed;
  if (!ParseHarvestArgs(args, parsed)) {
    err << "usage: pkgtool harvest [--rules FILE] [--force] OLD NEW SRC\n";
    return kExitUsage;
  }
  std::string error;
  HarvestRules rules = DefaultHarvestRules();
  if (!parsed.rulesPath.empty() && !LoadHarvestRules(parsed.rulesPath, rules, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  UpdateCatalog header;
  header.UseText(rules.packageSections);
  std::vector<std::string> archiveFolder;
  if (!ArchiveFolderOf(header, archiveFolder)) {
    err << "pkgtool: [COMMENT] PathName must be a folder inside the package of at most 259 characters\n";
    return kExitFailed;
  }
  HarvestPlan plan;
  if (!PlanHarvest(parsed.oldDir, parsed.newDir, rules, plan, error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  if (plan.items.empty()) {
    err << "pkgtool: every file of " << parsed.newDir << " is installed as it is; nothing to harvest\n";
    return kExitFailed;
  }
  const std::string catalogue = HarvestCatalogue(rules.packageSections, archiveFolder, plan.items);
  const std::string filesDir = (fs::path(parsed.sourceDir) / "files").string();
  if (!PrepareSource(parsed, error) || !CopyItemFiles(filesDir, archiveFolder, plan.items, error) ||
      !WriteFileSafely((fs::path(parsed.sourceDir) / "catalog.ini").string(),
                       std::vector<unsigned char>(catalogue.begin(), catalogue.end()), error)) {
    err << "pkgtool: " << error << "\n";
    return kExitFailed;
  }
  for (size_t i = 0; i < plan.items.size(); ++i) {
    const HarvestItem& item = plan.items[i];
    out << HarvestSectionName(i) << (item.isNew ? " new     " : " changed ") << WindowsPath(item.parts)
        << ": method " << item.check.method << ", Version " << item.check.Version << " (" << item.check.reason
        << ")\n";
  }
  for (const std::string& warning : plan.warnings) err << "pkgtool: warning: " << warning << "\n";
  // The source must be one that build takes: its names, values and files checked as build checks them.
  PackagePlan check;
  std::vector<std::string> problems;
  if (!PlanPackage(parsed.sourceDir, check, problems)) {
    for (const std::string& problem : problems) err << "pkgtool: " << problem << "\n";
    err << "pkgtool: " << parsed.sourceDir << " is written, but build refuses it for the reasons above\n";
    return kExitFailed;
  }
  out << "harvested " << plan.items.size() << " files into " << parsed.sourceDir << " (" << plan.unchanged
      << " unchanged, " << plan.warnings.size() << " warnings)\n";
  return kExitOk;
}
