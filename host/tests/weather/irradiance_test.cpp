// Short-wave irradiance on tilted surfaces: horizontal consistency, the Perez and isotropic
// models against values computed by hand from the papers' equations, beam behind the wall.
#include <gtest/gtest.h>

#include <cmath>

#include "weather/convective_coefficient.h"
#include "weather/sky_long_wave.h"
#include "weather/tilted_irradiance.h"

namespace tamo1d::weather {
namespace {

SolarPosition sunAt(double zenith, double azimuth) {
  SolarPosition sun;
  sun.zenith = zenith;
  sun.azimuth = azimuth;
  return sun;
}

TEST(TiltedIrradiance, HorizontalSurfaceReceivesTheGlobalHorizontal) {
  for (SkyDiffuseModel model : {SkyDiffuseModel::Perez, SkyDiffuseModel::Isotropic}) {
    for (double zenith : {10.0, 45.0, 84.0, 86.0, 95.0}) {
      for (double diffuse : {0.0, 60.0, 300.0}) {
        const TiltedIrradiance q = tiltedIrradiance(sunAt(zenith, 135.0), {200.0, 0.0},
                                                    {300.0, diffuse}, 1367.0, 0.2, model);
        EXPECT_DOUBLE_EQ(q.total(), 300.0) << zenith << " " << diffuse;
        EXPECT_EQ(q.groundReflected, 0.0);
      }
    }
  }
}

// One hour by hand: sun at zenith 60 degrees due south, global 350 and diffuse 150 W/m2,
// extraterrestrial 1367 W/m2, albedo 0.2. Direct normal (350-150)/cos 60 = 400 W/m2.
// Air mass (Kasten and Young 1989) 1.99429, brightness 0.218832, clearness 2.21463 (bin
// 5), F1 = 0.408555, F2 = 0.125758 (Perez et al. 1990, Table 6).
TEST(TiltedIrradiance, PerezAndIsotropicMatchHandComputedValues) {
  struct Case {
    double inclination, beam, perez, isotropic, ground;
  };
  for (const Case& c : {Case{90.0, 346.41016, 169.36771, 75.0, 35.0},
                        Case{45.0, 386.37033, 207.45322, 128.03301, 10.251263}}) {
    SCOPED_TRACE(c.inclination);
    const SurfaceOrientation south{180.0, c.inclination};
    const HorizontalIrradiance h{350.0, 150.0};
    const TiltedIrradiance perez =
        tiltedIrradiance(sunAt(60.0, 180.0), south, h, 1367.0, 0.2, SkyDiffuseModel::Perez);
    const TiltedIrradiance iso =
        tiltedIrradiance(sunAt(60.0, 180.0), south, h, 1367.0, 0.2, SkyDiffuseModel::Isotropic);
    EXPECT_NEAR(perez.beam, c.beam, 1e-4);
    EXPECT_NEAR(perez.skyDiffuse, c.perez, 1e-4);
    EXPECT_NEAR(iso.skyDiffuse, c.isotropic, 1e-4);
    EXPECT_NEAR(perez.groundReflected, c.ground, 1e-5);
    EXPECT_EQ(iso.beam, perez.beam);
  }
}

TEST(TiltedIrradiance, BeamIsZeroWhenTheSunIsBehindTheSurface) {
  // Sun in the south-west: the north and east walls and a roof tilted 60 degrees to the
  // north-east are behind it; the isotropic sky still reaches them.
  for (SurfaceOrientation s : {SurfaceOrientation{0.0, 90.0}, SurfaceOrientation{90.0, 90.0},
                               SurfaceOrientation{45.0, 60.0}}) {
    const TiltedIrradiance q = tiltedIrradiance(sunAt(50.0, 225.0), s, {500.0, 100.0}, 1367.0, 0.2,
                                                SkyDiffuseModel::Isotropic);
    EXPECT_EQ(q.beam, 0.0) << s.azimuth;
    EXPECT_GT(q.skyDiffuse, 0.0);
  }
}

// Cloud fraction 1 - s against Haurwitz's clear sky (489.85 W/m2 at zenith 60 degrees,
// 780.83 at 40), the night hour interpolated; an overcast sky radiates as a black body at
// air temperature, like the ground, so every surface receives sigma T^4.
TEST(SkyLongWave, CloudFractionFromSunshineAndOvercastSky) {
  const auto cloud = cloudFractionFromSunshine({489.85, 0.0, 244.925, 100.0}, {60, 120, 60, 40});
  EXPECT_NEAR(cloud[0], 0.0, 1e-5);
  EXPECT_NEAR(cloud[1], 0.25, 1e-5);
  EXPECT_NEAR(cloud[2], 0.5, 1e-5);
  EXPECT_NEAR(cloud[3], 0.871927, 1e-5);
  EXPECT_DOUBLE_EQ(skyEmissivity(5.0, 3.0, 1.0, 1), 1.0);
  const double black = 5.67e-8 * std::pow(278.15, 4);
  EXPECT_NEAR(counterRadiation(black, 5.0, 0.5), black, 1e-9);
  // EN ISO 6946: the conventional exterior resistance 0.04 m2K/W is 1 / (h_c + h_r) with
  // h_c = 20 W/(m2 K) at 4 m/s and h_r about 5.
  EXPECT_EQ(convectiveCoefficient(4.0), 20.0);
}

}  // namespace
}  // namespace tamo1d::weather
