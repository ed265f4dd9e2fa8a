#pragma once
// Calendar dates written as year.month.day in a catalogue.
#include <string_view>

struct CalendarDate {
  unsigned year = 0;
  unsigned month = 0;
  unsigned day = 0;
};

// Year, month and day from "y.m.d", each the LeadingNumber of its part; a
// part missing for want of a dot counts as 0 ("2004.3" is 2004-03-00).
CalendarDate ParseDateText(std::string_view text);

// True when `a` is a later date than `b`: year first, then month, then day.
bool IsLaterDate(const CalendarDate& a, const CalendarDate& b);
