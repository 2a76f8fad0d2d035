// Wind-driven rain on a facade by EN ISO 15927-3:2009 ("Hygrothermal performance of
// buildings - Calculation and presentation of climatic data - Part 3: Calculation of a
// driving rain index for vertical surfaces from hourly wind and rain data"): the
// airfield index summed over one hour only
//     I_A = 2/9 v r^(8/9) cos(D - theta)   [l/m2 = kg/m2 in the hour]
// (v wind speed m/s at 10 m, r horizontal rainfall mm/h, D wind direction, theta the
// wall's normal; hours with cos(D - theta) <= 0 count zero: leeward), and the wall index
// I_W = I_A C_R C_T O W with the roughness coefficient C_R(z) = K_R ln(z / z0)
// (z not below z_min; terrain categories of Table 1), the topography coefficient
// C_T (1 on level ground), the obstruction factor O (Table 2) and the wall factor W
// (Table 3).
//
// Inclined surfaces receive the horizontal rain's normal component r cos(inclination)
// (none when facing down) plus the driving rain's, I_W sin(inclination).
#ifndef TAMO1D_WEATHER_DRIVING_RAIN_H
#define TAMO1D_WEATHER_DRIVING_RAIN_H

namespace tamo1d::weather {

// Terrain categories of EN ISO 15927-3, Table 1 (K_R, z0 in m, z_min in m):
// I open sea / flat country without obstacles 0.17, 0.01, 2; II farm land with hedges,
// scattered buildings 0.19, 0.05, 4; III suburban, industrial, forest 0.22, 0.3, 8;
// IV urban (15 % built over 15 m high) 0.24, 1.0, 16.
enum class TerrainCategory { I = 1, II = 2, III = 3, IV = 4 };

// [-] C_R at height `height` m above ground.
double roughnessCoefficient(TerrainCategory terrain, double height);

// [-] obstruction factor of Table 2 for the distance (m) to the nearest obstruction of at
// least the wall's height in front of it: 4-8 m 0.2, 8-15 0.3, 15-25 0.4, 25-40 0.5,
// 40-60 0.6, 60-80 0.7, 80-100 0.8, 100-120 0.9, beyond 1.0.
double obstructionFactor(double distance);

// The product C_R C_T O W. Defaults: terrain II at 10 m (C_R = 1.01), level ground, no
// obstruction within 120 m, and W = 0.4 (Table 3: the wall of a two-storey gable building).
struct DrivingRainFactors {
  double roughness = 0.19 * 5.298317366548036;  // C_R of terrain II at 10 m: 0.19 ln(10/0.05)
  double topography = 1.0;
  double obstruction = 1.0;
  double wall = 0.4;
  double product() const { return roughness * topography * obstruction * wall; }
};

// [kg/(m2 h)] ISO 15927-3 airfield driving rain of one hour through a vertical plane whose
// normal points to `wallAzimuth` degrees.
double airfieldDrivingRain(double windSpeed, double windDirection, double rainfall,
                           double wallAzimuth);

// [kg/(m2 h)] rain on a surface of `inclination` degrees and normal azimuth `azimuth`:
// the normal component of the horizontal rain plus the wall index's share.
double rainOnSurface(double windSpeed, double windDirection, double rainfall, double azimuth,
                     double inclination, const DrivingRainFactors& factors);

}  // namespace tamo1d::weather

#endif
