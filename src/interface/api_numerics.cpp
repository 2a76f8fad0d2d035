// Exported handle-free routines: spline under tension, derivative estimators, tension
// selectors and the interface checks. A null array that a routine would need makes it
// return at once with *ierr = 2; a null ierr makes a routine with an indicator do nothing
// (sval/svald then return 0). expjp, which has no indicator, does nothing on a null array.
// An allocation failure inside a routine leaves its outputs and *ierr as they were.
#include "interface/call_frame.h"
#include "material/auxiliary.h"
#include "material/spline.h"
#include "tamo1dkernel.h"

namespace {

constexpr int32_t kNullArrayIndicator = 2;

bool reportNull(int32_t* ierr) {
  if (ierr) *ierr = kNullArrayIndicator;
  return true;
}

}  // namespace

extern "C" {

TAMO_API void TAMO_CALL sbuild(int32_t n, const double* x, const double* y, const double* tension,
                               double* b, double* c, double* d, double eps, int32_t* ierr) {
  tamo::withoutContext([&] {
    if (!ierr) return 0;
    if (n >= 2 && (!x || !y || !tension || !b || !c || !d)) return reportNull(ierr), 0;
    tamo::splineBuild(n, x, y, tension, b, c, d, eps, ierr);
    return 0;
  });
}

TAMO_API double TAMO_CALL svald(int32_t n, const double* x, const double* tension, const double* ya,
                                const double* yb, const double* c, const double* d, double t,
                                int32_t* ierr, double* deriv) {
  return tamo::withoutContext([&] {
    if (!ierr) return 0.0;
    if (n >= 2 && (!x || !tension || !ya || !yb || !c || !d)) return reportNull(ierr), 0.0;
    return tamo::splineValue(n, x, tension, ya, yb, c, d, t, ierr, deriv);
  });
}

TAMO_API double TAMO_CALL sval(int32_t n, const double* x, const double* tension, const double* ya,
                               const double* yb, const double* c, const double* d, double t,
                               int32_t* ierr) {
  return svald(n, x, tension, ya, yb, c, d, t, ierr, nullptr);
}

TAMO_API void TAMO_CALL grad2r(int32_t n, const double* x, const double* y, double* s, double eps,
                               int32_t* ierr) {
  tamo::withoutContext([&] {
    if (!ierr) return 0;
    if (n >= 3 && (!x || !y || !s)) return reportNull(ierr), 0;
    tamo::derivativesHarmonic(n, x, y, s, eps, ierr);
    return 0;
  });
}

TAMO_API void TAMO_CALL grad2b(int32_t n, const double* x, const double* y, double* s, double eps,
                               int32_t* ierr) {
  tamo::withoutContext([&] {
    if (!ierr) return 0;
    if (n >= 3 && (!x || !y || !s)) return reportNull(ierr), 0;
    tamo::derivativesParabolic(n, x, y, s, eps, ierr);
    return 0;
  });
}

TAMO_API void TAMO_CALL expjp(int32_t n, const double* x, const double* y, double* t, double eps) {
  tamo::withoutContext([&] {
    // n = 1, 2 read and write t only; the points are read from n = 3 on.
    if (n >= 1 && !t) return 0;
    if (n >= 3 && (!x || !y)) return 0;
    tamo::tensionsFromInflections(n, x, y, t, eps);
    return 0;
  });
}

TAMO_API void TAMO_CALL expjp2(int32_t n, const double* x, const double* y, double* t, double tmax,
                               double crit, int32_t* ierr) {
  tamo::withoutContext([&] {
    if (!ierr) return 0;
    if (n >= 3 && (!x || !y || !t)) return reportNull(ierr), 0;
    tamo::tensionsByShape(n, x, y, t, tmax, crit, ierr);
    return 0;
  });
}

TAMO_API void TAMO_CALL test(int32_t n, const double* a, const double* b, const double* c,
                             double* o1, double* o2, double* o3, double v, int32_t* ierr) {
  tamo::withoutContext([&] {
    if (!ierr) return 0;
    if (n >= 1 && (!a || !b || !c || !o1 || !o2 || !o3)) return reportNull(ierr), 0;
    *ierr = 0;
    for (int32_t i = 0; i < n; ++i) {
      o1[i] = 2.0 * a[i];
      o2[i] = c[i] * b[i];
      o3[i] = v;
    }
    return 0;
  });
}

TAMO_API int32_t TAMO_CALL checkbool(int32_t flag, int32_t* negation, int32_t* trueValue,
                                     int32_t* falseValue) {
  if (negation) *negation = (flag & 1) ? 0 : 1;
  if (trueValue) *trueValue = -1;
  if (falseValue) *falseValue = 0;
  return ~flag;
}

}  // extern "C"
