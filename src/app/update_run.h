#pragma once
// The one process-wide run state. Folder fields end with a backslash once set.
#include <cstdint>
#include <memory>
#include <string>

#include "app/run_options.h"
#include "log/update_log.h"
#include "package/archive.h"
#include "procctl/component_directory.h"
#include "procctl/stop_actions.h"
#include "procctl/stopped_process_list.h"
#include "versions/update_info.h"

struct UpdateRun {
  // Folders of the machine and of the package.
  std::string windowsDir;
  std::string systemDir;
  std::string currentDir;
  std::string packageDir;        // the runner's own folder
  std::string tempDir;
  std::string packageSourceDir;  // package side of items and self-update sources
  std::string programDir;        // installation being updated
  std::string packageFilesDir;   // handed to the catalogue walk

  // What the command line asked for.
  RunOptions options;

  // The chosen installation.
  int32_t productVersionIndex = 0;
  std::string productRegKey;

  // Report flags.
  int32_t showVersionReport = 0;
  int32_t restartNeeded = 0;
  int32_t updateIncomplete = 0;

  // Commit state and catalogue values.
  int32_t deferredPending = 0;
  int32_t osFamily = -1;
  uint32_t catalogTypeMask = 0;
  int32_t selfUpdateFirst = 0;

  // The CRC-32 of each file the archive extraction wrote, by full path: the
  // check of the package copies takes it from here instead of reading every
  // file once more.
  ExtractedCrcs extractedCrcs;

  UpdateLog log{programDir};
  UpdateInfo info;
  // The product's IPC table and resident-service clients (null when not
  // opened), the system actions the stop strategies take, then the
  // strategies of the components stopped, which refer to them and so are
  // freed first.
  std::unique_ptr<ComponentDirectory> ipcClient;
  std::unique_ptr<ComponentDirectory> serviceClient;
  std::unique_ptr<StopActions> stopActions;
  StoppedProcessList stoppedProcesses;

  // The reset before the first log line of a run: flags and counters become 0
  // (osFamily -1), packageFilesDir and extractedCrcs become empty. The machine and package
  // folders, programDir and the chosen installation stay. packageSourceDir
  // stays too: the self-update hand-off writes into it.
  void ResetForRun(int32_t showVersionReportFlag);
};
