#pragma once
// The text keys of an item section and the longest value read of each. The
// item step reads with these limits; pkgtool refuses values that exceed them.

struct ItemTextKey {
  const char* name;
  unsigned limit;
};

namespace item_keys {

inline constexpr ItemTextKey kUpdateFileFlag{"UpdateFileFlag", 9};
inline constexpr ItemTextKey kFileName{"FileName", 259};
inline constexpr ItemTextKey kVersion{"Version", 19};
inline constexpr ItemTextKey kCRC{"CRC", 19};
inline constexpr ItemTextKey kReboot{"Reboot", 49};
inline constexpr ItemTextKey kUpdateRelative{"UpdateRelative", 49};
inline constexpr ItemTextKey kSharedNeedReboot{"SharedNeedReboot", 49};
inline constexpr ItemTextKey kRemotePath{"RemotePath", 259};
inline constexpr ItemTextKey kLocalPath{"LocalPath", 259};
inline constexpr ItemTextKey kCallBy{"CallBy", 259};
inline constexpr ItemTextKey kFileType{"FileType", 49};
inline constexpr ItemTextKey kOldVersion{"OldVersion", 69};  // read by the decision, method 7 only

inline constexpr ItemTextKey kAll[] = {kUpdateFileFlag, kFileName,   kVersion,   kCRC,    kReboot,   kUpdateRelative,
                                       kSharedNeedReboot, kRemotePath, kLocalPath, kCallBy, kFileType, kOldVersion};

}  // namespace item_keys
