#include "weather/solar_position.h"

#include <cmath>
#include <numbers>

#include "weather/calendar.h"

namespace tamo1d::weather {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

double wrapped(double value, double period) {
  const double r = std::fmod(value, period);
  return r < 0.0 ? r + period : r;
}

double signedAngle(double degrees) {
  return wrapped(degrees + 180.0, 360.0) - 180.0;
}

}  // namespace

SolarPosition solarPosition(const WeatherSite& site, int year, double localHour) {
  const double utHours = localHour - site.timeZone;
  // Days since J2000.0 (Julian day 2451545.0, 1 January 2000 12:00 TT).
  const double time = julianDayOfYearStart(year) - 2451545.0 + utHours / 24.0;
  // Ecliptic coordinates: mean longitude, mean anomaly, ecliptic longitude, obliquity.
  const double meanLongitude = wrapped(280.460 + 0.9856474 * time, 360.0);
  const double meanAnomaly = wrapped(357.528 + 0.9856003 * time, 360.0) * kDeg;
  const double eclipticLongitude =
      (meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2.0 * meanAnomaly)) * kDeg;
  const double obliquity = (23.439 - 0.0000004 * time) * kDeg;
  // Celestial coordinates: right ascension and declination.
  const double rightAscension =
      std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude));
  const double declination = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude));
  // Local coordinates: Greenwich and local mean sidereal time, hour angle.
  const double utOfDay = wrapped(utHours, 24.0);
  const double gmst = wrapped(6.697375 + 0.0657098242 * time + utOfDay, 24.0);
  const double lmst = gmst + site.longitude / 15.0;
  const double hourAngle = signedAngle(15.0 * lmst - rightAscension / kDeg);

  SolarPosition sun;
  sun.declination = declination / kDeg;
  sun.hourAngle = hourAngle;
  // Mean longitude minus right ascension, 4 minutes of time per degree.
  sun.equationOfTime = 4.0 * signedAngle(meanLongitude - rightAscension / kDeg);
  const double lat = site.latitude * kDeg;
  const double h = hourAngle * kDeg;
  const double cosZenith =
      std::sin(declination) * std::sin(lat) + std::cos(declination) * std::cos(lat) * std::cos(h);
  sun.zenith = std::acos(std::fmax(-1.0, std::fmin(1.0, cosZenith))) / kDeg;
  sun.azimuth = wrapped(std::atan2(-std::cos(declination) * std::sin(h),
                                   std::sin(declination) * std::cos(lat) -
                                       std::cos(declination) * std::cos(h) * std::sin(lat)) /
                            kDeg,
                        360.0);
  return sun;
}

double extraterrestrialNormal(double day) {
  return 1367.0 * (1.0 + 0.033 * std::cos(2.0 * std::numbers::pi * (day + 1.0) / 365.0));
}

}  // namespace tamo1d::weather
