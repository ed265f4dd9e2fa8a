#pragma once
// A real package, built as pkgtool builds it, that replaces the engine
// ZMEngine.DAT in the program folder of an installed antivirus product, for
// the tests that run the unchanged runner over it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package_plan.h"
#include "package_writer.h"
#include "win_test_support.h"

namespace testsupport {

constexpr char kInstalledEngine[] = "installed engine, an older build";
constexpr char kNewEngine[] = "engine 4.0.3.1";

// One more file the package brings, laid beside the archive (no packing, so
// that large files cost little to build).
struct PackageFile {
  std::string name;
  std::string bytes;
  std::string localPath;  // the catalogue's LocalPath; empty: the program folder
};

struct EnginePackage {
  std::string kind = "PacketType=General_DB";  // COMMENT lines naming the package's kind
  bool reboot = false;                         // the engine needs a restart
  std::vector<PackageFile> files;
};

// Builds the package in a scratch folder with SkalUpd.exe beside it;
// `package` gets that folder, ending with a backslash.
inline void BuildEnginePackage(const EnginePackage& what, std::string& package) {
  const std::string source = MakeScratchFolder("source");
  ASSERT_TRUE(CreateDirectoryA((source + "files").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((source + "files\\ZMTUPD").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(source + "files\\ZMTUPD\\ZMEngine.DAT", kNewEngine));
  std::string catalogue = "[COMMENT]\r\n" + what.kind +
                          "\r\nPathName=ZMTUPD\r\nNewUpdateSelfFirstFlag=0\r\n\r\n"
                          "[FileType]\r\nTypeName0=Engine\r\nDescript0=engine\r\n\r\n"
                          "[ZMEngine]\r\nUpdateFileFlag=TRUE\r\nFileName=ZMEngine.DAT\r\nVersion=4.0.3.1\r\nReboot=" +
                          (what.reboot ? "TRUE" : "FALSE") + "\r\nRemotePath=ZMTUPD\r\nFileType=Engine\r\n";
  for (const PackageFile& file : what.files) {
    ASSERT_TRUE(WriteWholeFile(source + "files\\" + file.name, file.bytes));
    catalogue += "\r\n[" + file.name + "]\r\nUpdateFileFlag=TRUE\r\nFileName=" + file.name +
                 "\r\nVersion=1.0.0.1\r\nReboot=FALSE\r\nRemotePath=.\r\nFileType=Engine\r\n";
    if (!file.localPath.empty()) catalogue += "LocalPath=" + file.localPath + "\r\n";
  }
  ASSERT_TRUE(WriteWholeFile(source + "catalog.ini", catalogue));
  PackagePlan plan;
  std::vector<std::string> problems;
  ASSERT_TRUE(PlanPackage(source, plan, problems)) << (problems.empty() ? "" : problems.front());
  // The writer makes the package folder itself.
  const std::string folder = MakeScratchFolder("built") + "package";
  std::string error;
  ASSERT_TRUE(WritePackage(plan, 1, folder, error)) << error;
  package = folder + "\\";
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "SkalUpd.exe").c_str(), (package + "SkalUpd.exe").c_str(), FALSE));
}

}  // namespace testsupport
