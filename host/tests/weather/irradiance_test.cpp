// Short-wave irradiance on tilted surfaces: horizontal consistency, the Perez and isotropic
// models against values computed by hand from the papers' equations, beam behind the wall.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tamo1d::weather
