// Mould growth on a surface after the VTT model: A. Hukka and H. Viitanen, "A mathematical
// model of mould growth on wooden material", Wood Science and Technology 33 (1999) 475-485,
// with the sensitivity classes, the lower limit of the critical humidity and the material
// decline factor of the updated model of T. Ojanen, H. Viitanen et al., "Mold growth modeling
// of building structures using sensitivity classes of materials", Thermal Performance of the
// Exterior Envelopes of Whole Buildings XI (2010), and H. Viitanen, T. Ojanen et al.,
// "Moisture and bio-deterioration risk of building materials and structures", Journal of
// Building Physics 33 (2010) 201-224.
//
// The mould index M runs from 0 (no growth) to 6 (heavy growth, coverage almost 100 %); 1 is
// microscopic initial growth, 3 the first growth visible to the eye.
//
// Equation numbers. The papers' own numbering is not cited here: the texts we could check
// were the abstract and first page of Hukka and Viitanen (1999) (doi:10.1007/s002260050131)
// and no text of the two 2010 papers, so no number could be verified. The equations are
// named by their role instead (growth rate, critical humidity, M_max, k1, k2, decline in
// dry periods, C_mat) and written out in full where they are used, so that each can be
// checked against the papers by its form and constants.
#ifndef TAMO1D_ASSESSMENT_MOULD_GROWTH_VTT_H
#define TAMO1D_ASSESSMENT_MOULD_GROWTH_VTT_H

#include <vector>

#include "model_state.h"

namespace tamo1d::assessment {

// Sensitivity classes of the updated model (Ojanen et al. 2010, the class table): very
// sensitive (untreated pine sapwood), sensitive (planed wood, paper-coated products, wood-based
// boards), medium resistant (cement- and plastic-based materials, mineral wool), resistant
// (glass, metals, materials with efficient protective treatment).
enum class MouldSensitivity { VerySensitive, Sensitive, MediumResistant, Resistant };

// Relative decline of the index in dry periods, C_mat of the updated model: 1 is the decline
// of the original model (pine sapwood), 0.5 a significant, 0.25 a relatively low decline and
// 0.1 almost no decline.
inline constexpr double kMouldDeclineReference = 1.0;

// Parameters of one sensitivity class.
struct MouldClass {
  double growthFactorBelowOne;  // k1 while M < 1, -
  double growthFactorFromOne;   // k1 while M >= 1, -
  double maxA, maxB, maxC;      // coefficients of M_max, -
  double minimumHumidity;       // lower limit RH_min of the critical humidity, %
};

const MouldClass& mouldClass(MouldSensitivity sensitivity);

// Critical relative humidity (%) at temperature T (degC): the cubic of Hukka and Viitanen
// below 20 degC, never below the class's lower limit (80 % for the sensitive classes, 85 %
// for the resistant ones). Growth needs RH >= RH_crit and 0 < T < 50 degC.
double mouldCriticalHumidity(double temperature, MouldSensitivity sensitivity);

// Incremental mould index at one surface: advance() once per accepted step with the step's
// length and the temperature and humidity the step ends with. No allocation.
class VttMouldGrowth {
 public:
  explicit VttMouldGrowth(MouldSensitivity sensitivity,
                          double declineFactor = kMouldDeclineReference);

  // Advances over `seconds` (> 0) at temperature (degC) and relative humidity (fraction,
  // 1 = saturated; values above 1 count as 1) held for the whole step.
  void advance(double seconds, double temperature, double humidity);

  double index() const { return index_; }      // current M
  double maximum() const { return maximum_; }  // largest M so far

  // Checkpoints: the index, its maximum and the time since growth last was possible.
  void saveState(std::vector<double>& out) const;
  void restoreState(StateReader& in);

 private:
  void grow(double days, double temperature, double humidityPercent, double criticalHumidity);
  void decline(double hours);

  MouldSensitivity sensitivity_;
  const MouldClass* class_;
  double declineFactor_;
  double index_ = 0.0;
  double maximum_ = 0.0;
  double dryHours_ = 0.0;  // h since the conditions last allowed growth (t - t1)
};

}  // namespace tamo1d::assessment

#endif
