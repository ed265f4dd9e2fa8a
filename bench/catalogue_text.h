#pragma once
// A generated catalogue of `items` file items shaped like a real one, for the
// benchmarks.
#include <cstdio>
#include <string>

inline std::string ItemSectionName(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "ZMT%05d.DAT", n);
  return name;
}

inline const char* const kItemKeys[] = {"FileName", "FileSize", "Version", "CRC",
                                        "Reboot", "LocalPath", "CheckVersionMethod", "CallBy"};

inline std::string MakeCatalogueText(int items) {
  std::string text = "[COMMENT]\r\nPacketType=General_DB\r\nVersion=3\r\nPathName=Files\r\n";
  for (int n = 0; n < items; ++n) {
    const std::string name = ItemSectionName(n);
    text += "[" + name + "]\r\nUpdateFileFlag=TRUE\r\nFileName=" + name + "\r\nFileSize=" + std::to_string(1000 + n) +
            "\r\nVersion=1.2.3." + std::to_string(n) + "\r\nCRC=" + std::to_string(2654435761u * unsigned(n)) +
            "\r\nReboot=FALSE\r\nLocalPath=%PROGRAMDIR%\\Data\r\nCheckVersionMethod=7\r\nCallBy=ZMT9X.EXE,\r\n";
  }
  return text;
}
