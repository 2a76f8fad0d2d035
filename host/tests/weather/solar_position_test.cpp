// Solar position against published values.
#include "weather/solar_position.h"

#include <gtest/gtest.h>

#include "weather/calendar.h"
#include "weather/surface_orientation.h"

namespace tamo1d::weather {
namespace {

// I. Reda, A. Andreas, "Solar position algorithm for solar radiation applications", NREL
// TP-560-34302 (2003, rev. 2008), the worked example of its appendix (also the output of
// the reference program): Golden, Colorado, 17 October 2003 12:30:30 local time (UTC-7),
// surface of slope 30 degrees turned 10 degrees east of south. Its zenith includes
// refraction (about 0.012 degrees at 820 hPa, 11 degC), which the geometric position here
// does not, hence the tolerance.
TEST(SolarPosition, MatchesTheWorkedExampleOfTheNrelAlgorithm) {
  const WeatherSite golden{39.742476, -105.1786, -7.0, 1830.14};
  const double local = 24.0 * dayOfYear(10, 17, false) + 12.0 + 30.5 / 60.0;
  const SolarPosition sun = solarPosition(golden, 2003, local);
  EXPECT_NEAR(sun.hourAngle, 11.105902, 0.02);
  EXPECT_NEAR(sun.zenith, 50.111622, 0.035);
  EXPECT_NEAR(sun.azimuth, 194.340241, 0.02);
  const double incidence =
      std::acos(cosIncidence(sun, {170.0, 30.0})) * 180.0 / 3.14159265358979323846;
  EXPECT_NEAR(incidence, 25.187000, 0.035);
}

// Declination at the 2007 equinox and solstice instants, and the equation of time at its
// yearly extremes, as tabulated by the U.S. Naval Observatory (Astronomical Applications
// Department, "Earth's seasons, equinoxes, solstices" 2007: 21 March 00:07 UT, 21 June
// 18:06 UT; equation of time -14 min 13 s on 11 February and +16 min 25 s on 3 November).
TEST(SolarPosition, DeclinationAndEquationOfTimeAtPublishedInstants) {
  const WeatherSite greenwich{51.48, 0.0, 0.0, 0.0};
  struct Case {
    int month, day;
    double utHour, declination, equationOfTime;  // NaN: not checked
  };
  const double skip = kNotGiven;
  for (const Case& c : {Case{3, 21, 7.0 / 60.0, 0.0, skip}, Case{6, 21, 18.1, 23.44, skip},
                        Case{2, 11, 12.0, skip, -14.22}, Case{11, 3, 12.0, skip, 16.42}}) {
    const SolarPosition sun =
        solarPosition(greenwich, 2007, 24.0 * dayOfYear(c.month, c.day, false) + c.utHour);
    SCOPED_TRACE(std::to_string(c.month) + "/" + std::to_string(c.day));
    if (!std::isnan(c.declination)) {
      EXPECT_NEAR(sun.declination, c.declination, 0.01);
    }
    if (!std::isnan(c.equationOfTime)) {
      EXPECT_NEAR(sun.equationOfTime, c.equationOfTime, 0.1);
    }
  }
}

}  // namespace
}  // namespace tamo1d::weather
