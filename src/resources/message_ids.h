#pragma once
// Ids of the runner's string table (strings.rc) and of its other resources.
// Portable code refers to texts by these ids; the Windows shell loads them.

enum MessageId : unsigned {
  kMsgSaveFilter = 1,          // save dialog file-type filter
  kMsgTypeProgram = 2,         // built-in file type descriptions
  kMsgTypeEngine = 3,
  kMsgTypeDatabase = 4,
  kMsgSourceDamaged = 5,       // package copy missing or damaged
  kMsgCatalogueDamaged = 6,
  kMsgSelfUpdated = 8,
  kMsgSelfUpdateWriteFailed = 9,
  kMsgUpdateFailed = 10,
  kMsgUpdatedRestart = 11,
  kMsgUpdated = 12,
  kMsgStagingFailed = 13,
  kMsgDeferFailed = 14,
  kMsgDeferredRestart = 15,
  kMsgDeferredCompletesOnRestart = 16,
  kMsgInstallFolderNotFound = 17,
  kMsgTitleNotice = 19,
  kMsgProductDataMissing = 20,
  kMsgTitleConfirm = 21,
  kMsgTitleError = 25,
  kMsgArchiveDamaged = 27,
  kMsgAlreadyUpToDate = 28,
  kMsgPackageFilesDamaged = 29,
  kMsgFilesUpdateFailed = 30,
  kMsgFilesUpdated = 31,
  kMsgUpdateAgain = 32,
  kMsgUpdating = 34,
  kMsgRestartRequest = 35,
  kMsgWrongPackageVersion = 37,
  kMsgNoRegistryEntry = 40,
  kMsgNoInstallation = 44,
  kMsgInstallationDamaged = 45,
  kMsgFirewallName = 47,
  kMsgQuitUnfinished = 48,
  kMsgEnterNetFolder = 49,
  kMsgWrongFolder = 50,
  kMsgBrowseNetFolder = 51,
  kMsgAntivirusNameFirst = 52,  // 52..58: antivirus edition names
  kMsgFirewallNameFirst = 59,   // 59..61: firewall edition names
  kMsgAssistantOffer = 62,
  // The command line and unattended runs.
  kMsgUsage = 101,
  kMsgBadSwitch = 102,            // %s: the argument at fault
  kMsgVersionNotNamed = 103,      // several installations, no /VERSION
  kMsgNamedVersionMissing = 104,  // %d: the registry version /VERSION names
  kMsgProgramDirNotNamed = 105,   // the folder prompt, no /PROGRAMDIR
  // The dry run (/LIST).
  kMsgListedItem = 106,           // %s%s: folder and file name; %s: the reason
  kMsgReasonMissing = 107,
  kMsgReasonCrcDiffers = 108,
  kMsgReasonOlderDate = 109,
  kMsgReasonDriverOlder = 110,
  kMsgReasonDatabaseVersion = 111,
  kMsgReasonAlways = 112,
  kMsgListedCount = 113,          // %s: how many files an update would replace
  kMsgReportNotSaved = 120,       // %s: the path Save As was given
  kMsgNeedsAdministrator = 121,   // %s: the program folder that refuses writing
  kMsgElevationNeeded = 130,      // Vista and later: not elevated, and cannot or may not be
};

constexpr int kAppIconId = 128;
