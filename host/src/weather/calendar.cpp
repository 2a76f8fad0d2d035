#include "weather/calendar.h"

namespace tamo1d::weather {

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, bool leapYear) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear ? 29 : kDays[month - 1];
}

int dayOfYear(int month, int day, bool leapYear) {
  int days = day - 1;
  for (int m = 1; m < month; ++m) days += daysInMonth(m, leapYear);
  return days;
}

int monthOfDay(int day, bool leapYear) {
  int remaining = day % (leapYear ? 366 : 365);
  int month = 1;
  while (month < 12 && remaining >= daysInMonth(month, leapYear))
    remaining -= daysInMonth(month++, leapYear);
  return month;
}

double julianDayOfYearStart(int year) {
  // Days from 1970-01-01 to year-01-01 by whole 400/100/4-year cycles of the Gregorian
  // calendar; 1970-01-01 00:00 UT is Julian day 2440587.5.
  const long y = year - 1;
  const long daysToYear = 365L * y + y / 4 - y / 100 + y / 400;  // since 0001-01-01
  const long daysTo1970 = 365L * 1969 + 1969 / 4 - 1969 / 100 + 1969 / 400;
  return 2440587.5 + static_cast<double>(daysToYear - daysTo1970);
}

}  // namespace tamo1d::weather
