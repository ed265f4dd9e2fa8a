#include "engine/date_text.h"

#include <tuple>

#include "engine/version_number.h"

CalendarDate ParseDateText(std::string_view text) {
  unsigned parts[3] = {};
  for (unsigned& part : parts) {
    size_t dot = text.find('.');
    part = LeadingNumber(text.substr(0, dot));
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  return CalendarDate{parts[0], parts[1], parts[2]};
}

bool IsLaterDate(const CalendarDate& a, const CalendarDate& b) {
  return std::tie(a.year, a.month, a.day) > std::tie(b.year, b.month, b.day);
}
