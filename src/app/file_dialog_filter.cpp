#include "app/file_dialog_filter.h"

#include "paths/path_ops.h"

std::string FileDialogFilter(const std::string& barSeparated) {
  std::string filter = barSeparated;
  for (size_t at = 0; at < filter.size(); at += CharacterWidthAt(filter, at))
    if (filter[at] == '|') filter[at] = '\0';
  return filter;
}
