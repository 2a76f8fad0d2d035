// libFuzzer harness: decodes its input into a sequence of calls of the public C interface
// (contexts with stale and foreign handles, grids of random size and shape, parameters,
// materials with random tables, surfaces, climates, sources, steps and every query) and
// checks that every call answers with one of the codes it may return. Array arguments
// always have the length the operation reads.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
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
  int32_t small(int32_t lo, int32_t hi) {  // lo..hi inclusive
    return lo + static_cast<int32_t>(byte() % static_cast<uint32_t>(hi - lo + 1));
  }
  int32_t integer() {
    switch (byte() % 8) {
      case 0: return 0;
      case 1: return 1;
      case 2: return -1;
      case 3: return std::numeric_limits<int32_t>::max();
      case 4: return std::numeric_limits<int32_t>::min();
      case 5: return small(-3, 9);
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
                                      1e-16};
    const uint8_t selector = byte();
    if (selector < 120) return kSpecial[selector % (sizeof kSpecial / sizeof kSpecial[0])];
    if (selector < 220) return (byte() - 128) / 16.0;  // moderate values
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  void fill(std::vector<double>& v, bool increasing) {
    double x = real();
    if (!std::isfinite(x)) x = 0.0;
    for (double& e : v) {
      if (increasing && (byte() % 8 != 0)) {
        x += 0.001 + (byte() % 64) / 100.0;
        e = x;
      } else {
        e = real();
      }
    }
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

[[noreturn]] void unexpected() { __builtin_trap(); }

void expect(int32_t rc, std::initializer_list<int32_t> allowed) {
  for (int32_t a : allowed) {
    if (rc == a) return;
  }
  unexpected();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  std::map<int32_t, Known> live;
  std::vector<int32_t> handles = {0, -5, 1, 2, 3, 1000};
  int calls = 0;
  while (!in.empty() && calls++ < 48) {
    int32_t h = handles[in.byte() % handles.size()];
    const Known k = live.count(h) ? live[h] : Known{};
    const int32_t n = k.interfaces + 1;  // nodes; arrays below always hold n entries
    const size_t nodes = static_cast<size_t>(std::max(n, 1)) + 1;
    std::vector<double> T(nodes), phi(nodes), w(nodes), a(nodes), b(nodes), c(nodes);
    in.fill(T, false);
    for (double& p : phi) p = in.byte() / 200.0;
    switch (in.byte() % 20) {
      case 0: {
        const int32_t created = tamoCreateContext();
        if (created < 1) unexpected();
        live[created] = Known{};
        handles.push_back(created);
        break;
      }
      case 1: {
        const int32_t rc = tamoDeleteContext(h);
        expect(rc, {0, -1});
        live.erase(h);
        break;
      }
      case 2: {
        int32_t count = in.small(-1, 40);
        if (in.byte() % 16 == 0) count = in.integer() % 5;
        std::vector<double> x(static_cast<size_t>(std::max(count, 1)));
        std::vector<int32_t> mat(x.size());
        in.fill(x, in.byte() % 4 != 0);
        for (int32_t& m : mat) m = in.small(-1, 4);
        const int32_t rc = tamoSetGrid(h, count, x.data(), in.real(), mat.data());
        expect(rc, {0, -1, -13, -22, -11});
        if (rc == 0) {
          Known& known = live[h];
          known.interfaces = count;
          known.materials = 0;
          for (int32_t i = 1; i < count; ++i) known.materials = std::max(known.materials, mat[i]);
        }
        break;
      }
      case 3: {
        int32_t f[12];
        for (int32_t& v : f) v = in.byte() % 4 == 0 ? in.integer() : in.small(0, 1);
        const int32_t rc = in.byte() % 2
                               ? tamoSetParameter(h, f[0], f[1], f[2], f[3], f[4], f[5], f[6],
                                                  f[7], f[8], f[9], f[10])
                               : tamoSetParameter1(h, f[0], f[1], f[2], f[3], f[4], f[5], f[6],
                                                   f[7], f[8], f[9], f[10], f[11]);
        expect(rc, {0, -1, -7, -13});
        break;
      }
      case 4: {
        const int32_t rc = tamoSetMaterial(h, in.small(-1, 5), in.real(), in.real(), in.real(),
                                           in.integer());
        expect(rc, {0, -1, -2});
        break;
      }
      case 5: {
        const int32_t count = in.byte() % 8 == 0 ? in.integer() % 40000 : in.small(-1, 12);
        std::vector<double> xs(static_cast<size_t>(std::max(count, 1)));
        std::vector<double> ys(xs.size());
        in.fill(xs, in.byte() % 3 != 0);
        in.fill(ys, in.byte() % 2 != 0);
        const int32_t kind = in.byte() % 8 == 0 ? in.integer() : in.small(1, 7);
        const int32_t analytic = in.byte() % 8 == 0 ? in.integer() : in.small(0, 1);
        const int32_t rc = tamoSetMaterialFunction(h, in.small(-1, 5), kind, analytic, count,
                                                   xs.data(), ys.data());
        expect(rc, {0, -1, -2, -3, -10, -11, -12});
        break;
      }
      case 6: {
        double v[14];
        for (double& d : v) d = in.real();
        const int32_t rc = tamoSetSurfaceCondition(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6],
                                                   in.integer(), v[7], v[8], v[9], v[10], v[11],
                                                   v[12], in.integer());
        expect(rc, {0, -1, -13});
        break;
      }
      case 7: {
        double v[15];
        for (double& d : v) d = in.real();
        const int32_t rc = tamoTransBound(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8],
                                          v[9], v[10], v[11], v[12], v[13], v[14]);
        expect(rc, {0, -1});
        break;
      }
      case 8: {
        const double values[3] = {in.real(), in.real(), in.real()};
        const int32_t rc =
            tamoSetSource(h, in.byte() % 8 == 0 ? in.integer() : in.small(-1, 6),
                          in.byte() % 8 == 0 ? in.integer() : in.small(0, 2), in.small(-1, 2),
                          in.small(-1, 3), in.real(), in.real(), values);
        expect(rc, {0, -1, -7, -8, -9, -11, -13, -22});
        break;
      }
      case 9: {
        const double values[3] = {in.real(), in.real(), in.real()};
        const int32_t rc = tamoUpdateSource(h, in.small(-1, 7), in.byte() % 3 ? values : nullptr);
        expect(rc, {0, -1, -9});
        break;
      }
      case 10:
      case 11: {
        int32_t iter = 0, status = 0;
        double dphi = 0.0, dT = 0.0;
        double dt = in.byte() % 4 ? 3600.0 : in.real();
        int32_t rc;
        if (in.byte() % 2) {
          rc = tamoStep(h, dt, in.integer(), T.data(), phi.data(), w.data(), &iter, &dphi, &dT,
                        &status);
        } else {
          double v[15];
          for (double& d : v) d = in.byte() % 2 ? in.real() : 10.0;
          rc = tamoStep2(h, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                         v[11], v[12], v[13], v[14], dt, 0, T.data(), phi.data(), w.data(), &iter,
                         &dphi, &dT, &status);
        }
        expect(rc, {0, -1, -7, -11, -20, -22});
        break;
      }
      case 12: {
        const int32_t count = in.byte() % 8 == 0 ? in.integer() : in.small(-1, n);
        const int32_t rc = tamoGetSolver(h, std::min(count, n), a.data(), b.data(), c.data(),
                                         w.data());
        expect(rc, {0, -1});
        break;
      }
      case 13: {
        const int32_t rc =
            tamoGetFlux(h, in.integer(), T.data(), phi.data(), a.data(), b.data(), c.data(),
                        w.data());
        expect(rc, {0, -1, -7});
        break;
      }
      case 14: {
        double v[4];
        expect(tamoGetSurfaceCoeff(h, &v[0], &v[1], &v[2], &v[3]), {0, -1, -22});
        break;
      }
      case 15: {
        const int32_t m = in.small(-1, std::max(k.materials, 0) + 1);
        std::vector<double> layers(static_cast<size_t>(std::max(m, 1)));
        double mean = 0.0, total = 0.0;
        const int32_t rc = tamoGetIntermediate(h, 0, T.data(), phi.data(), w.data(), a.data(),
                                               b.data(), m, layers.data(), &mean, &total);
        expect(rc, {0, -1, -6, -22});
        break;
      }
      case 16: {
        const int32_t count = in.small(-1, n);
        expect(tamoGetTransport(h, count, a.data(), b.data(), c.data()), {0, -1});
        break;
      }
      case 17: {
        double heat = 0.0, moisture = 0.0;
        expect(tamoGetSourceQuantity(h, in.small(-1, 7), in.integer(), T.data(), phi.data(),
                                     &heat, &moisture),
               {0, -1, -9});
        break;
      }
      case 18: {
        const int32_t m = in.small(-1, 5);
        double out = 0.0, d = 0.0;
        switch (in.byte() % 6) {
          case 0: expect(tamoSoriso(h, m, in.real(), &out, in.byte() % 2 ? &d : nullptr),
                         {0, -1, -2}); break;
          case 1: expect(tamoSorinv(h, m, in.real(), &out), {0, -1, -2, -12}); break;
          case 2: expect(tamoCaldw(h, m, in.real(), &out, in.integer()), {0, -1, -2}); break;
          case 3: expect(tamoCalmu(h, m, in.real(), &out), {0, -1, -2}); break;
          case 4: expect(tamoCallam(h, m, in.real(), in.real(), &out), {0, -1, -2}); break;
          default: expect(tamoCalent(h, m, in.real(), &out), {0, -1, -2, -3}); break;
        }
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
        int32_t ierr = 0;
        double deriv = 0.0;
        switch (in.byte() % 6) {
          case 0:
            sbuild(count, x.data(), y.data(), t.data(), s.data(), cc.data(), dd.data(), in.real(),
                   &ierr);
            svald(count, x.data(), t.data(), y.data(), s.data(), cc.data(), dd.data(), in.real(),
                  &ierr, &deriv);
            break;
          case 1: grad2r(count, x.data(), y.data(), s.data(), in.real(), &ierr); break;
          case 2: grad2b(count, x.data(), y.data(), s.data(), in.real(), &ierr); break;
          case 3: expjp(count, x.data(), y.data(), t.data(), in.real()); break;
          case 4:
            // Tensions grow by one per pass up to the cap: keep the shape search bounded.
            for (double& v : t) v = std::isfinite(v) ? std::fmod(v, 50.0) : 1.0;
            expjp2(count, x.data(), y.data(), t.data(), in.real(), in.small(0, 2) * 0.01, &ierr);
            break;
          default: {
            int32_t neg = 0, tv = 0, fv = 0;
            checkbool(in.integer(), &neg, &tv, &fv);
            break;
          }
        }
        break;
      }
    }
  }
  for (const auto& [handle, known] : live) tamoDeleteContext(handle);
  return 0;
}
