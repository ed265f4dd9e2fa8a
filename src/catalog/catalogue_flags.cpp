#include "catalog/catalogue_flags.h"

#include "catalog/ini_text.h"

bool IsTrueFlag(const std::string& text) {
  const std::string folded = ini_text::FoldCase(text);
  return folded == "true" || folded == "1";
}

bool IsTrueUnlessFalse(const std::string& text) {
  const std::string folded = ini_text::FoldCase(text);
  return folded != "false" && folded != "0";
}
