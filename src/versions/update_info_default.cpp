#include "versions/update_info_default.h"

std::string_view DefaultUpdateInfoText() {
  // Byte for byte as the product writes it; the Chinese lines are spelled as
  // code page 936 bytes so that the text does not depend on the build's or the
  // system's code page. The last entry has a label but no file, which ends
  // the list after four versions.
  static constexpr std::string_view kText =
      "[Comment]\r\n"
      "HostURL=http://update.norvance.example/skal/\r\n"
      // HostName=NorvanceSkal升级网站（北京）
      "HostName=NorvanceSkal\xC9\xFD\xBC\xB6\xCD\xF8\xD5\xBE\xA3\xA8\xB1\xB1\xBE\xA9\xA3\xA9\r\n"
      "HelpFileName=ZMT9X.CHM\r\n"
      "HelpSection=ZHDetail_Update.htm\r\n"
      "Version=4\r\n"
      "DisplayVerFlag=1\r\n"
      "[DisplayVer]\r\n"
      // Descript0=主程序版本:
      "Descript0=\xD6\xF7\xB3\xCC\xD0\xF2\xB0\xE6\xB1\xBE:\r\n"
      "FileName0=ZMT9X.EXE\r\n"
      "VersionMethod0=0\r\n"
      // Descript1=查毒引擎版本:
      "Descript1=\xB2\xE9\xB6\xBE\xD2\xFD\xC7\xE6\xB0\xE6\xB1\xBE:\r\n"
      "FileName1=ZMEngine.DAT\r\n"
      "VersionMethod1=1\r\n"
      // Descript2=DrWeb引擎版本:
      "Descript2=DrWeb\xD2\xFD\xC7\xE6\xB0\xE6\xB1\xBE:\r\n"
      "FileName2=DrWeb32.DAT\r\n"
      "VersionMethod2=1\r\n"
      // Descript3=病毒库版本:
      "Descript3=\xB2\xA1\xB6\xBE\xBF\xE2\xB0\xE6\xB1\xBE:\r\n"
      "FileName3=ZMT00000\r\n"
      "VersionMethod3=2\r\n"
      // Descript4=已知病毒家族数:
      "Descript4=\xD2\xD1\xD6\xAA\xB2\xA1\xB6\xBE\xBC\xD2\xD7\xE5\xCA\xFD:\r\n";
  return kText;
}
