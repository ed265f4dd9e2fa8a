#include "harvest_plan.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "catalog/ini_text.h"
#include "commit/superseded_databases.h"
#include "engine/crc32.h"
#include "engine/header_versions.h"
#include "file_io.h"
#include "source_files.h"
#include "versions/database_names.h"
#include "versions/database_run.h"

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, SourceFile>;  // folded Windows path -> file

bool ReadTree(const std::string& dir, Tree& tree, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(fs::path(dir), ec)) {
    error = "no folder " + dir;
    return false;
  }
  for (SourceFile& file : ListSourceFiles(dir)) {
    const std::string key = ini_text::FoldCase(WindowsPath(file.parts));
    if (!tree.emplace(key, std::move(file)).second) {
      error = dir + " holds two files that Windows would take for one: " + key;
      return false;
    }
  }
  return true;
}

bool IsDatabase(const std::vector<std::string>& parts) {
  return parts.size() == 1 && (IsDatabaseFileName(parts[0]) || IsDatabaseUpdateName(parts[0]));
}

std::optional<std::string> ReadBytes(const std::string& path, std::string& error) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, error)) return std::nullopt;
  return std::string(bytes.begin(), bytes.end());
}

// The database version the runner finds in the installed program folder.
VersionNumber InstalledDatabase(const Tree& old) {
  std::vector<std::string> names;
  for (const auto& [key, file] : old)
    if (file.parts.size() == 1) names.push_back(file.parts[0]);
  VersionNumber version;
  InstalledDatabaseVersion(
      LatestDatabaseNumber(names),
      [&](const std::string& name) {
        VersionNumber found;
        auto it = old.find(ini_text::FoldCase(name));
        std::string ignored;
        std::optional<std::string> bytes = it == old.end() ? std::nullopt : ReadBytes(it->second.path, ignored);
        if (bytes) EngineVersionFromBytes(*bytes, found);
        return found;
      },
      version);
  return version;
}

// Installed files the package leaves behind, and new ones the runner removes
// as superseded databases once it has updated.
void WarnAboutLeftovers(const Tree& old, const Tree& fresh, HarvestPlan& plan) {
  std::vector<std::string> topNames;
  for (const auto& [key, file] : old)
    if (file.parts.size() == 1) topNames.push_back(file.parts[0]);
  for (const HarvestItem& item : plan.items)
    if (item.parts.size() == 1 && !old.count(ini_text::FoldCase(item.parts[0]))) topNames.push_back(item.parts[0]);
  std::set<std::string> superseded;
  for (const std::string& name : SupersededDatabaseNames(topNames, LatestDatabaseNumber(topNames)))
    superseded.insert(ini_text::FoldCase(name));
  for (const auto& [key, file] : old)
    if (!fresh.count(key) && !superseded.count(key))
      plan.warnings.push_back(WindowsPath(file.parts) + " is installed but not in the new build; a package cannot remove it");
  for (const auto& [key, file] : fresh)
    if (superseded.count(key))
      plan.warnings.push_back(WindowsPath(file.parts) +
                              " is in the new build, but the runner removes it as a superseded database");
}

}  // namespace

std::string WindowsPath(const std::vector<std::string>& parts) {
  std::string path;
  for (const std::string& part : parts) path += (path.empty() ? "" : "\\") + part;
  return path;
}

bool PlanHarvest(const std::string& oldDir, const std::string& newDir, const HarvestRules& rules, HarvestPlan& plan,
                 std::string& error) {
  plan = HarvestPlan();
  Tree old, fresh;
  if (!ReadTree(oldDir, old, error) || !ReadTree(newDir, fresh, error)) return false;
  const VersionNumber installedDatabase = InstalledDatabase(old);
  for (const auto& [key, file] : fresh) {
    const std::optional<std::string> bytes = ReadBytes(file.path, error);
    if (!bytes) return false;
    std::optional<std::string> oldBytes;
    auto installed = old.find(key);
    if (installed != old.end() && !(oldBytes = ReadBytes(installed->second.path, error))) return false;
    if (oldBytes == bytes) {
      ++plan.unchanged;
      continue;
    }
    if (bytes->empty()) {
      plan.warnings.push_back(WindowsPath(file.parts) + " is empty; a package cannot carry an empty file");
      continue;
    }
    HarvestItem item;
    item.parts = file.parts;
    item.sourcePath = file.path;
    item.isNew = !oldBytes;
    item.FileSize = bytes->size();
    item.CRC = Crc32Update(0, reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size());
    item.check = ChooseCheck(*bytes, oldBytes, IsDatabase(file.parts), installedDatabase);
    item.kind = KindOf(rules, WindowsPath(file.parts), IsDatabase(file.parts));
    plan.items.push_back(std::move(item));
  }
  WarnAboutLeftovers(old, fresh, plan);
  return true;
}
