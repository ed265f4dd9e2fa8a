#include "app/edition_names.h"

EditionNames EditionNamesOf(int32_t index) {
  static const EditionNames kEditions[] = {
      {".NET", "ZMT9X.EXE"}, {"2001", "ZMT9X.EXE"}, {"2002", "ZMT9X.EXE"}, {"2003", "ZMT32.EXE"}};
  if (index < 0 || index > 3) return {"", ""};
  return kEditions[index];
}
