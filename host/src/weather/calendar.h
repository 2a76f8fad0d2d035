// Calendar arithmetic of the weather records: day of year, hour of year, Julian day.
#ifndef TAMO1D_WEATHER_CALENDAR_H
#define TAMO1D_WEATHER_CALENDAR_H

namespace tamo1d::weather {

bool isLeapYear(int year);
int daysInMonth(int month, bool leapYear);  // month 1..12
// 0-based day of the year of (month, day) in a calendar with or without 29 February.
int dayOfYear(int month, int day, bool leapYear);
// Month 1..12 of the 0-based day of the year `day` (wrapped into one year).
int monthOfDay(int day, bool leapYear);
// Julian day number of 1 January 00:00 UT of `year` (proleptic Gregorian calendar).
double julianDayOfYearStart(int year);

}  // namespace tamo1d::weather

#endif
