// libFuzzer harness: decodes its input into a sequence of calls of the public C interface
// (contexts with stale and foreign handles, grids of random size and shape, parameters,
// materials with random tables, surfaces, climates, sources, steps and every query) and
// checks that every call answers with one of the codes its header comment lists. Array
// arguments always have the length the operation reads; now and then one is a null pointer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <map>
#include <vector>

#include "tamo1dkernel.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool chance(int oneIn) { return byte() % oneIn == 0; }
  int32_t small(int32_t lo, int32_t hi) {  // lo..hi inclusive
    return lo + static_cast<int32_t>(byte() % static_cast<uint32_t>(hi - lo + 1));
  }
  int32_t integer() {
    switch (byte() % 8) {
      case 0:
        return 0;
      case 1:
        return 1;
      case 2:
        return -1;
      case 3:
        return std::numeric_limits<int32_t>::max();
      case 4:
        return std::numeric_limits<int32_t>::min();
      case 5:
        return small(-3, 9);
      default: {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return static_cast<int32_t>(v);
      }
    }
  }
  double real() {
    static const double kSpecial[] = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.0,
                                      0.5,
                                      0.8,
                                      0.95,
                                      1.01,
                                      20.0,
                                      -20.0,
                                      1e-300,
                                      4.9e-324,
                                      1e300,
                                      -1e300,
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      101325.0,
                                      3600.0,
                                      1e-16,
                                      std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::min(),
                                      -273.15,
                                      1000.0};
    const uint8_t selector = byte();
    if (selector < 120) return kSpecial[selector % (sizeof kSpecial / sizeof kSpecial[0])];
    if (selector < 220) return (byte() - 128) / 16.0;  // moderate values
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  // Random values, or increasing values (mostly) with now and then a repeated one.
  void fill(std::vector<double>& v, bool increasing) {
    double x = real();
    if (!std::isfinite(x)) x = 0.0;
    for (double& e : v) {
      const uint8_t mode = increasing ? byte() % 8 : 0;
      if (mode == 0) {
        e = real();
      } else if (mode == 1) {
        e = x;  // repeated x
      } else {
        x += 0.001 + (byte() % 64) / 100.0;
        e = x;
      }
    }
  }
  // The pointer, or now and then a null pointer (which `passedNull` then records).
  template <typename T>
  T* orNull(T* p, bool& passedNull) {
    if (byte() % 16 != 0) return p;
    passedNull = true;
    return nullptr;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// What the harness knows of a context it created.
struct Known {
  int32_t interfaces = 0;  // N of a successful grid, 0 before
  int32_t materials = 0;   // highest material number of the grid
};

[[noreturn]] void unexpected() {
  __builtin_trap();
}

bool oneOf(int32_t value, std::initializer_list<int32_t> allowed) {
  for (int32_t a : allowed) {
    if (value == a) return true;
  }
  return false;
}

// The code of a call with a handle: exactly -1 for a handle the harness does not hold,
// else one of `allowed`, -7 only before a grid, -21 only when a null array was passed.
class Checker {
 public:
  Checker(bool live, bool gridDefined) : live_(live), grid_(gridDefined) {}
  void operator()(int32_t rc, std::initializer_list<int32_t> allowed, bool passedNull = false) {
    if (!live_) {
      if (rc != TAMO_INVALID_HANDLE) unexpected();
      return;
    }
    if (rc == TAMO_INVALID_HANDLE) unexpected();
    if (rc == TAMO_NO_GRID && grid_) unexpected();
    if (rc == TAMO_NULL_ARRAY && !passedNull) unexpected();
    if (!oneOf(rc, allowed)) unexpected();
  }

 private:
  bool live_;
  bool grid_;
};

// Indicator of a handle-free routine: one of `allowed` (the sentinel must be overwritten).
constexpr int32_t kUnwritten = -77;
void expectIndicator(int32_t ierr, std::initializer_list<int32_t> allowed) {
  if (!oneOf(ierr, allowed)) unexpected();
}

// Interface positions and materials of a grid just above the largest accepted one.
constexpr int32_t kTooManyInterfaces = 4194305;
const std::vector<double>& oversizedPositions() {
  static const std::vector<double> v(kTooManyInterfaces, 0.0);
  return v;
}
const std::vector<int32_t>& oversizedMaterials() {
  static const std::vector<int32_t> v(kTooManyInterfaces, 1);
  return v;
}

// A context with everything a step needs, built from physically sensible values that the
// input varies: grid of 2..16 (or 200..320) interfaces and up to 3 materials, parameters, full
// material functions, surfaces and a first climate. Every call must succeed. Returns the handle
// (with its grid recorded through `record`) or -11.
int32_t buildReadyModel(Input& in, Known& record) {
  const int32_t h = tamoCreateContext();
  if (h < 1) return h;
  // Now and then a grid large enough for the step to run a team of threads: evenly spaced
  // in three layers, so that it costs only a few bytes of the input.
  const bool large = in.chance(8);
  const int32_t count = large ? in.small(200, 320) : in.small(2, 16);
  std::vector<double> x(static_cast<size_t>(count));
  std::vector<int32_t> mat(x.size(), 0);
  const double spacing = 0.0005 + in.byte() / 20000.0;
  double position = 0.0;
  int32_t highest = 0;
  for (int32_t k = 0; k < count; ++k) {
    x[static_cast<size_t>(k)] = position;
    position += large ? spacing : 0.002 + in.byte() / 1000.0;
    if (k >= 1) mat[static_cast<size_t>(k)] = large ? 1 + (3 * k) / (count + 1) : in.small(1, 3);
    highest = std::max(highest, mat[static_cast<size_t>(k)]);
  }
  const double radius = in.chance(4) ? 0.05 + in.byte() / 100.0 : 0.0;
  if (tamoSetGrid(h, count, x.data(), radius, mat.data()) != 0) unexpected();
  record.interfaces = count;
  record.materials = highest;
  const int32_t liquid = in.small(0, 1);
  if (tamoSetParameter1(h, in.chance(8) ? 0 : 1, in.chance(8) ? 0 : 1, liquid, in.small(0, 1),
                        in.small(0, 1), 0, in.small(0, 1), in.small(0, 1), in.small(0, 1), 0, 0,
                        0) != 0) {
    unexpected();
  }
  for (int32_t m = 1; m <= highest; ++m) {
    const double por = 0.02 + in.byte() / 300.0;
    if (tamoSetMaterial(h, m, 20.0 + in.byte() * 8.0, por, 600.0 + in.byte() * 4.0,
                        in.chance(8) ? 1 : 0) != 0) {
      unexpected();
    }
    // Moisture storage: a table through the origin, or an analytic fit through 2-3 points.
    const double wf = 1.0 + in.byte() * por * 3.0;
    const double w80 = wf * (0.05 + in.byte() / 600.0);
    if (in.byte() % 2) {
      const double phis[] = {0.0, 0.5, 0.8, 0.95, 1.0, 1.01};
      const double ws[] = {0.0, 0.6 * w80, w80, 0.5 * (w80 + wf), wf, 1000.0 * por};
      if (tamoSetMaterialFunction(h, m, 1, 0, 6, phis, ws) != 0) unexpected();
    } else {
      const double phis[] = {0.8, 1.0, 0.5};
      const double ws[] = {w80, wf, 0.5 * w80};
      if (tamoSetMaterialFunction(h, m, 1, 1, in.small(2, 3), phis, ws) != 0) unexpected();
    }
    // Liquid transport from a water absorption coefficient, or from a table.
    const double absorption[] = {in.byte() / 100.0};
    const double ws[] = {0.0, w80, wf};
    const double ds[] = {0.0, 1e-10 * (1 + in.byte()), 1e-8 * (1 + in.byte())};
    for (int32_t kind = 2; kind <= 3; ++kind) {
      if (in.byte() % 2) {
        if (tamoSetMaterialFunction(h, m, kind, 1, 1, absorption, absorption) != 0) unexpected();
      } else if (tamoSetMaterialFunction(h, m, kind, 0, 3, ws, ds) != 0) {
        unexpected();
      }
    }
    const double lambda[] = {0.03 + in.byte() / 100.0, in.byte() / 50.0};
    if (tamoSetMaterialFunction(h, m, 4, 1, 2, lambda, lambda) != 0) unexpected();
    const double perKelvin[] = {lambda[0], in.byte() / 10000.0};
    if (tamoSetMaterialFunction(h, m, 5, in.small(0, 1), in.small(0, 2), perKelvin, perKelvin) !=
        0) {
      unexpected();
    }
    if (in.byte() % 2) {
      const double phis[] = {0.0, 1.0};
      const double mus[] = {1.0 + in.byte(), 1.0 + in.byte() / 4.0};
      if (tamoSetMaterialFunction(h, m, 6, 0, 2, phis, mus) != 0) unexpected();
    }
    if (in.byte() % 4 == 0) {
      const double ts[] = {-20.0, -1.0, 0.0, 30.0};
      const double hs[] = {0.0, 19000.0, 19000.0 + in.byte() * 1000.0, 300000.0};
      if (tamoSetMaterialFunction(h, m, 7, 0, 4, ts, hs) != 0) unexpected();
    }
  }
  const double rainFactor = in.byte() / 255.0;
  if (tamoSetSurfaceCondition(h, 101325.0, 17.0, in.byte() / 100.0, 0.6, 0.9, rainFactor,
                              in.byte() / 40.0, in.small(0, 1), 8.0, 0.0, 0.4, 0.9, 0.0, 4.5,
                              0) != 0) {
    unexpected();
  }
  if (tamoTransBound(h, 17.0, 0.0, (in.byte() - 128) / 4.0, in.byte() / 255.0,
                     in.byte() * 3.0 - 100.0, 300.0, liquid ? in.byte() / 20.0 : 0.0, 8.0, 0.0,
                     20.0, 0.5, 0.0, 0.0, 0.0, 101325.0) != 0) {
    unexpected();
  }
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  std::map<int32_t, Known> live;
  std::vector<int32_t> handles = {0,
                                  -5,
                                  1,
                                  2,
                                  3,
                                  1000,
                                  std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::min()};
  int calls = 0;
  int largeSteps = 0;  // steps on grids of 200 or more interfaces so far
  while (!in.empty() && calls++ < 48) {
    int32_t h = handles[in.byte() % handles.size()];
    if (!live.empty() && in.byte() % 4 != 0) {
      auto it = live.begin();
      std::advance(it, in.byte() % live.size());
      h = it->first;
    }
    const bool isLive = live.count(h) != 0;
    const Known k = isLive ? live[h] : Known{};
    Checker expect(isLive, k.interfaces >= 1);
    const int32_t n = k.interfaces + 1;  // nodes; the arrays below hold n + 1 entries
    const size_t nodes = static_cast<size_t>(n) + 1;
    std::vector<double> T(nodes), phi(nodes), w(nodes), a(nodes), b(nodes), c(nodes);
    if (nodes <= 64 && in.chance(2)) {
      // Node by node, now and then NaN, infinite or extreme.
      for (double& t : T) t = in.chance(16) ? in.real() : (in.byte() - 100) / 4.0;
      for (double& p : phi) p = in.chance(16) ? in.real() : in.byte() / 200.0;
    } else {
      // A linear profile: a few bytes for any grid size.
      const double tA = (in.byte() - 100) / 4.0, tB = (in.byte() - 100) / 4.0;
      const double pA = in.byte() / 200.0, pB = in.byte() / 200.0;
      for (size_t i = 0; i < nodes; ++i) {
        const double f = static_cast<double>(i) / static_cast<double>(nodes);
        T[i] = tA + f * (tB - tA);
        phi[i] = pA + f * (pB - pA);
      }
    }
    bool null = false;
    switch (in.byte() % 23) {
      case 22: {
        Known record;
        const int32_t ready = buildReadyModel(in, record);
        if (ready == TAMO_NO_MEMORY) break;
        if (ready < 1 || live.count(ready)) unexpected();
        live[ready] = record;
        handles.push_back(ready);
        break;
      }
      case 0: {
        const int32_t created = tamoCreateContext();
        if (created == TAMO_NO_MEMORY) break;
        if (created < 1 || live.count(created)) unexpected();
        live[created] = Known{};
        handles.push_back(created);
        break;
      }
      case 1: {
        expect(tamoDeleteContext(h), {0});
        live.erase(h);
        break;
      }
      case 2: {
        if (in.chance(64)) {
          // Above the largest grid: refused before anything is allocated.
          expect(tamoSetGrid(h, kTooManyInterfaces, oversizedPositions().data(), 0.0,
                             oversizedMaterials().data()),
                 {-11, -13});
          break;
        }
        int32_t count = in.small(-1, 40);
        if (in.chance(16)) count = in.integer() % 5;
        std::vector<double> x(static_cast<size_t>(std::max(count, 1)));
        std::vector<int32_t> mat(x.size());
        in.fill(x, in.byte() % 4 != 0);
        for (int32_t& m : mat) m = in.small(-1, 4);
        const double radius = in.real();
        const double* positions = in.orNull(x.data(), null);
        const int32_t* materials = in.orNull(mat.data(), null);
        const int32_t rc = tamoSetGrid(h, count, positions, radius, materials);
        expect(rc, {0, -11, -13, -21, -22}, null);
        if (rc == 0) {
          Known& known = live[h];
          known.interfaces = count;
          known.materials = 0;
          for (int32_t i = 1; i < count; ++i) known.materials = std::max(known.materials, mat[i]);
        }
        break;
      }
      case 3: {
        const int32_t count = in.chance(8) ? in.integer() : in.small(-1, n + 2);
        const size_t copied = static_cast<size_t>(std::clamp(count, 0, n));
        std::vector<double> out(std::max<size_t>(copied, 1));
        expect(tamoGetGrid(h, count, in.orNull(out.data(), null)), {0, -7, -21}, null);
        break;
      }
      case 4: {
        int32_t f[12];
        for (int32_t& v : f) v = in.chance(4) ? in.integer() : in.small(0, 1);
        const int32_t rc = in.byte() % 2 ? tamoSetParameter(h, f[0], f[1], f[2], f[3], f[4], f[5],
                                                            f[6], f[7], f[8], f[9], f[10])
                                         : tamoSetParameter1(h, f[0], f[1], f[2], f[3], f[4], f[5],
                                                             f[6], f[7], f[8], f[9], f[10], f[11]);
        expect(rc, {0, -7, -13});
        break;
      }
      case 5: {
        const int32_t material = in.small(-1, 5);
        const double rho = in.real(), por = in.real(), cap = in.real();
        expect(tamoSetMaterial(h, material, rho, por, cap, in.integer()), {0, -2});
        break;
      }
      case 6: {
        const int32_t count = in.chance(8) ? in.integer() % 40000 : in.small(-1, 12);
        std::vector<double> xs(static_cast<size_t>(std::max(count, 1)));
        std::vector<double> ys(xs.size());
        in.fill(xs, in.byte() % 3 != 0);
        in.fill(ys, in.byte() % 2 != 0);
        const int32_t kind = in.chance(8) ? in.integer() : in.small(1, 7);
        const int32_t analytic = in.chance(8) ? in.integer() : in.small(0, 1);
        const int32_t material = in.small(-1, 5);
        const double* px = in.orNull(xs.data(), null);
        const double* py = in.orNull(ys.data(), null);
        expect(tamoSetMaterialFunction(h, material, kind, analytic, count, px, py),
               {0, -2, -3, -10, -11, -12, -21}, null);
        break;
      }
      case 7: {
        double v[14];
        for (double& d : v) d = in.real();
        const int32_t flagA = in.integer(), flagB = in.integer();
        expect(tamoSetSurfaceCondition(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6], flagA, v[7],
                                       v[8], v[9], v[10], v[11], v[12], flagB),
               {0, -13});
        break;
      }
      case 8: {
        double v[15];
        for (double& d : v) d = in.real();
        expect(tamoTransBound(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                              v[11], v[12], v[13], v[14]),
               {0});
        break;
      }
      case 9: {
        const double values[3] = {in.real(), in.real(), in.real()};
        const int32_t number = in.chance(8) ? in.integer() : in.small(-1, 6);
        const int32_t type = in.chance(8) ? in.integer() : in.small(0, 2);
        const int32_t subtype = in.small(-1, 2), side = in.small(-1, 3);
        const double start = in.real(), thickness = in.real();
        expect(tamoSetSource(h, number, type, subtype, side, start, thickness,
                             in.orNull(values, null)),
               {0, -7, -8, -9, -11, -13, -21, -22}, null);
        break;
      }
      case 10: {
        const double values[3] = {in.real(), in.real(), in.real()};
        const int32_t number = in.chance(8) ? in.integer() : in.small(-1, 7);
        expect(tamoUpdateSource(h, number, in.byte() % 3 ? values : nullptr), {0, -9});
        break;
      }
      case 11:
      case 12: {
        // A step on a large grid may iterate to its limit for seconds under the sanitizers:
        // one per input keeps every input short.
        if (k.interfaces >= 200 && largeSteps++ >= 1) break;
        int32_t iter = 0, status = 0;
        double dphi = 0.0, dT = 0.0;
        const double dt = in.byte() % 4 ? 3600.0 : in.real();
        double* pT = in.orNull(T.data(), null);
        double* pPhi = in.orNull(phi.data(), null);
        double* pW = in.orNull(w.data(), null);
        int32_t* pIter = in.orNull(&iter, null);
        double* pDphi = in.orNull(&dphi, null);
        double* pDT = in.orNull(&dT, null);
        int32_t* pStatus = in.orNull(&status, null);
        int32_t rc;
        if (in.byte() % 2) {
          rc = tamoStep(h, dt, in.integer(), pT, pPhi, pW, pIter, pDphi, pDT, pStatus);
        } else {
          double v[15];
          for (double& d : v) d = in.byte() % 2 ? in.real() : 10.0;
          rc = tamoStep2(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                         v[11], v[12], v[13], v[14], dt, in.integer(), pT, pPhi, pW, pIter, pDphi,
                         pDT, pStatus);
        }
        expect(rc, {0, -7, -11, -20, -21, -22}, null);
        if (rc == 0 && (status & TAMO_STATUS_DIVERGED)) unexpected();
        if (rc == -20 && !(status & TAMO_STATUS_DIVERGED)) unexpected();
        break;
      }
      case 13: {
        const int32_t count = in.chance(8) ? in.integer() : in.small(-1, n + 2);
        double* pa = in.orNull(a.data(), null);
        double* pb = in.orNull(b.data(), null);
        double* pc = in.orNull(c.data(), null);
        double* pw = in.orNull(w.data(), null);
        expect(tamoGetSolver(h, count, pa, pb, pc, pw), {0, -21}, null);
        break;
      }
      case 14: {
        const double* pT = in.orNull(T.data(), null);
        const double* pPhi = in.orNull(phi.data(), null);
        double* pa = in.orNull(a.data(), null);
        double* pb = in.orNull(b.data(), null);
        double* pc = in.orNull(c.data(), null);
        double* pw = in.orNull(w.data(), null);
        expect(tamoGetFlux(h, in.integer(), pT, pPhi, pa, pb, pc, pw), {0, -7, -21}, null);
        break;
      }
      case 15: {
        double v[4];
        double* p0 = in.orNull(&v[0], null);
        double* p1 = in.orNull(&v[1], null);
        double* p2 = in.orNull(&v[2], null);
        double* p3 = in.orNull(&v[3], null);
        expect(tamoGetSurfaceCoeff(h, p0, p1, p2, p3), {0, -21, -22}, null);
        break;
      }
      case 16: {
        const int32_t m = in.chance(8) ? in.integer() : in.small(-1, k.materials + 1);
        std::vector<double> layers(static_cast<size_t>(std::clamp(m, 1, k.materials + 1)));
        double mean = 0.0, total = 0.0;
        const double* pT = in.orNull(T.data(), null);
        const double* pPhi = in.orNull(phi.data(), null);
        double* pw = in.orNull(w.data(), null);
        double* pa = in.orNull(a.data(), null);
        double* pb = in.orNull(b.data(), null);
        double* pLayers = in.orNull(layers.data(), null);
        double* pMean = in.orNull(&mean, null);
        double* pTotal = in.orNull(&total, null);
        expect(
            tamoGetIntermediate(h, in.integer(), pT, pPhi, pw, pa, pb, m, pLayers, pMean, pTotal),
            {0, -6, -21, -22}, null);
        break;
      }
      case 17: {
        const int32_t count = in.chance(8) ? in.integer() : in.small(-1, n + 2);
        double* pa = in.orNull(a.data(), null);
        double* pb = in.orNull(b.data(), null);
        double* pc = in.orNull(c.data(), null);
        expect(tamoGetTransport(h, count, pa, pb, pc), {0, -21}, null);
        break;
      }
      case 18: {
        double heat = 0.0, moisture = 0.0;
        const int32_t number = in.chance(8) ? in.integer() : in.small(-1, 7);
        const double* pT = in.orNull(T.data(), null);
        const double* pPhi = in.orNull(phi.data(), null);
        double* pHeat = in.orNull(&heat, null);
        double* pMoisture = in.orNull(&moisture, null);
        expect(tamoGetSourceQuantity(h, number, in.integer(), pT, pPhi, pHeat, pMoisture),
               {0, -9, -21}, null);
        break;
      }
      case 19: {
        const int32_t m = in.small(-1, 5);
        const double x = in.real(), y = in.real();
        double out = 0.0, d = 0.0;
        double* pOut = in.orNull(&out, null);
        switch (in.byte() % 6) {
          case 0:
            expect(tamoSoriso(h, m, x, pOut, in.byte() % 2 ? &d : nullptr), {0, -2, -21}, null);
            break;
          case 1:
            expect(tamoSorinv(h, m, x, pOut), {0, -2, -12, -21}, null);
            break;
          case 2:
            expect(tamoCaldw(h, m, x, pOut, in.integer()), {0, -2, -21}, null);
            break;
          case 3:
            expect(tamoCalmu(h, m, x, pOut), {0, -2, -21}, null);
            break;
          case 4:
            expect(tamoCallam(h, m, x, y, pOut), {0, -2, -21}, null);
            break;
          default:
            expect(tamoCalent(h, m, x, pOut), {0, -2, -3, -21}, null);
            break;
        }
        break;
      }
      case 20: {
        if (!tamoGetVersion() || !tamoResultName(in.integer())) unexpected();
        break;
      }
      default: {
        // Handle-free routines on small random point sets.
        const int32_t count = in.small(-1, 8);
        const size_t len = static_cast<size_t>(std::max(count, 1));
        std::vector<double> x(len), y(len), t(len), s(len), cc(len), dd(len);
        in.fill(x, in.byte() % 4 != 0);
        in.fill(y, false);
        in.fill(t, false);
        int32_t ierr = kUnwritten;
        int32_t* pIerr = in.chance(32) ? nullptr : &ierr;
        double deriv = 0.0;
        const double* px = in.orNull(x.data(), null);
        const double* py = in.orNull(y.data(), null);
        double* pt = in.orNull(t.data(), null);
        double* ps = in.orNull(s.data(), null);
        const double e1 = in.real(), e2 = in.real();
        // Without an indicator nothing is written and nothing is reported.
        const auto indicator = [&](std::initializer_list<int32_t> allowed) {
          expectIndicator(pIerr ? ierr : kUnwritten,
                          pIerr ? allowed : std::initializer_list<int32_t>{kUnwritten});
        };
        switch (in.byte() % 7) {
          case 0: {
            sbuild(count, px, py, pt, ps, cc.data(), dd.data(), e1, pIerr);
            indicator({0, 1, 2});
            ierr = kUnwritten;
            const double v = in.byte() % 2
                                 ? svald(count, px, pt, py, ps, cc.data(), dd.data(), e2, pIerr,
                                         in.byte() % 2 ? &deriv : nullptr)
                                 : sval(count, px, pt, py, ps, cc.data(), dd.data(), e2, pIerr);
            indicator({0, 1, 2, 3});
            if (pIerr && ierr != 0 && v != 0.0) unexpected();
            break;
          }
          case 1:
            grad2r(count, px, py, ps, e1, pIerr);
            indicator({0, 1, 2});
            break;
          case 2:
            grad2b(count, px, py, ps, e1, pIerr);
            indicator({0, 1, 2});
            break;
          case 3:
            expjp(count, px, py, pt, e1);
            break;
          case 4:
            expjp2(count, px, py, pt, e1, e2, pIerr);
            indicator({0, 1, 2, 3});
            break;
          case 5: {
            double* o1 = in.orNull(cc.data(), null);
            test(count, px, py, pt, o1, ps, dd.data(), e1, pIerr);
            indicator({0, 2});
            break;
          }
          default: {
            int32_t neg = 0, tv = 0, fv = 0;
            const int32_t flag = in.integer();
            if (checkbool(flag, &neg, &tv, &fv) != ~flag || tv != -1 || fv != 0) unexpected();
            break;
          }
        }
        break;
      }
    }
  }
  for (const auto& entry : live) {
    if (tamoDeleteContext(entry.first) != 0) unexpected();
  }
  return 0;
}
