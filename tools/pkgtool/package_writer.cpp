#include "package_writer.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "file_io.h"
#include "pack.h"
#include "package/depack.h"

namespace fs = std::filesystem;

namespace {

bool WriteInto(const fs::path& stage, const PackagePlan& plan, std::string& error) {
  std::vector<unsigned char> archive;
  if (!BuildArchive(plan.members, archive, error)) return false;
  const std::vector<unsigned char> catalogue(plan.catalogue.begin(), plan.catalogue.end());
  const std::vector<unsigned char> packed = PackImage(catalogue.data(), catalogue.size());
  std::vector<unsigned char> check;
  if (packed.empty() || !UnpackImage(packed.data(), packed.size(), check).ok() || check != catalogue) {
    error = "internal error: the packed catalogue does not unpack to catalog.ini";
    return false;
  }
  std::error_code ec;
  fs::path archiveFolder = stage;
  for (const std::string& level : plan.archiveFolder) archiveFolder /= level;
  fs::create_directories(archiveFolder, ec);
  if (!WriteFileSafely((stage / "index.dat").string(), packed, error) ||
      !WriteFileSafely((archiveFolder / "ZMTUPD.DAT").string(), archive, error))
    return false;
  for (const SourceFile& file : plan.copies) {
    fs::path target = stage;
    for (const std::string& level : file.parts) target /= level;
    fs::create_directories(target.parent_path(), ec);
    fs::copy_file(fs::path(file.path), target, ec);
    if (!ec) fs::last_write_time(target, fs::last_write_time(fs::path(file.path), ec), ec);
    if (ec) {
      error = "cannot copy " + file.path + ": " + ec.message();
      return false;
    }
  }
  return true;
}

}  // namespace

bool WritePackage(PackagePlan& plan, uint64_t seed, const std::string& outDir, std::string& error) {
  std::mt19937_64 keys(seed);
  for (ArchiveMember& member : plan.members) member.key = uint32_t(keys());

  const fs::path out(outDir);
  std::error_code ec;
  if (fs::exists(out, ec) && !(fs::is_directory(out, ec) && fs::is_empty(out, ec))) {
    error = outDir + " already exists and is not an empty folder";
    return false;
  }
  fs::path stage = out;
  stage += ".partial";
  fs::remove_all(stage, ec);
  if (!fs::create_directories(stage, ec)) {
    error = "cannot create " + stage.string();
    return false;
  }
  if (!WriteInto(stage, plan, error)) {
    fs::remove_all(stage, ec);
    return false;
  }
  fs::remove(out, ec);  // an empty folder at most
  fs::rename(stage, out, ec);
  if (ec) {
    error = "cannot rename " + stage.string() + " to " + outDir + ": " + ec.message();
    fs::remove_all(stage, ec);
    return false;
  }
  return true;
}
