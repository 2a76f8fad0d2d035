/* Runs the Java parity case through the C interface and logs every call, one line each:
 *   <function> <arguments> = <result> <every array argument after the call>
 * Integers in decimal, doubles as their 64-bit patterns in hex, arrays as D<n>:v,v,... or
 * I<n>:v,v,... (D- / I- for a null pointer). The Java test (BindingReplayTest) replays the
 * log through the native methods and compares results and arrays bit for bit.
 * Usage: tamo_parity_case_driver <log file> */
#include <inttypes.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tamo1dkernel.h"

enum { N = 12, NODES = N + 1, STEPS = 24, MATERIALS = 3, SOURCES = 4 };

static FILE* out;

/* One token per argument, by the signature: i int32, d double, D<n> / I<n> array of n
 * doubles / int32 values (an array is printed before and after the call). */
static void put_arguments(const char* sig, int arrays_only, va_list ap) {
  while (*sig) {
    const char kind = *sig++;
    if (kind == 'i') {
      const int value = va_arg(ap, int);
      if (!arrays_only) fprintf(out, " %d", value);
    } else if (kind == 'd') {
      const double value = va_arg(ap, double);
      uint64_t bits;
      memcpy(&bits, &value, sizeof bits);
      if (!arrays_only) fprintf(out, " %016" PRIx64, bits);
    } else {
      char* end;
      const long n = strtol(sig, &end, 10);
      const void* array = va_arg(ap, const void*);
      sig = end;
      fprintf(out, " %c", kind);
      if (array == NULL) {
        fputc('-', out);
        continue;
      }
      fprintf(out, "%ld:", n);
      for (long k = 0; k < n; ++k) {
        uint64_t bits = 0;
        if (k) fputc(',', out);
        if (kind == 'I') {
          fprintf(out, "%" PRId32, ((const int32_t*)array)[k]);
          continue;
        }
        memcpy(&bits, (const double*)array + k, sizeof bits);
        fprintf(out, "%016" PRIx64, bits);
      }
    }
  }
}

static void log_call(const char* name, const char* sig, ...) {
  va_list ap;
  va_start(ap, sig);
  fprintf(out, "%s", name);
  put_arguments(sig, 0, ap);
  va_end(ap);
}

static int32_t log_result(const char* sig, int32_t rc, ...) {
  va_list ap;
  va_start(ap, rc);
  fprintf(out, " = %" PRId32, rc);
  put_arguments(sig, 1, ap);
  fputc('\n', out);
  va_end(ap);
  return rc;
}

/* Calls fn with the arguments and logs the call; every double argument must be a double. */
#define CALL(fn, sig, ...) \
  (log_call(#fn, sig, __VA_ARGS__), log_result(sig, fn(__VA_ARGS__), __VA_ARGS__))

static void load(int32_t h, int32_t material, int32_t kind, int32_t analytic, int32_t n,
                 const double* xs, const double* ys) {
  char sig[32];
  snprintf(sig, sizeof sig, "iiiiiD%dD%d", (int)n, (int)n);
  CALL(tamoSetMaterialFunction, sig, h, material, kind, analytic, n, xs, ys);
}

/* Every result query for the node state after a step. */
static void query_results(int32_t h, const double* t, const double* phi) {
  double a[NODES], b[NODES], c[NODES], d[NODES], layer[MATERIALS], one[4][1];
  memset(a, 0, sizeof a), memset(b, 0, sizeof b), memset(c, 0, sizeof c);
  memset(d, 0, sizeof d), memset(one, 0, sizeof one), memset(layer, 0, sizeof layer);
  CALL(tamoGetFlux, "iiD13D13D12D12D12D12", h, 0, t, phi, a, b, c, d);
  CALL(tamoGetSurfaceCoeff, "iD1D1D1D1", h, one[0], one[1], one[2], one[3]);
  CALL(tamoGetIntermediate, "iiD13D13D13D13D13iD3D1D1", h, 0, t, phi, a, b, c, MATERIALS, layer,
       one[0], one[1]);
  CALL(tamoGetTransport, "iiD13D13D13", h, NODES, a, b, c);
  for (int32_t s = 1; s <= SOURCES; ++s)
    CALL(tamoGetSourceQuantity, "iiiD13D13D1D1", h, s, NODES, t, phi, one[0], one[1]);
}

int main(int argc, char** argv) {
  static const double positions[N] = {0.0,  0.005, 0.015, 0.03, 0.05,  0.075,
                                      0.10, 0.13,  0.16,  0.18, 0.195, 0.2};
  static const int32_t materials[N] = {0, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
  if (argc != 2 || (out = fopen(argv[1], "w")) == NULL) return 2;

  fprintf(out, "tamoCreateContext");
  const int32_t h = log_result("", tamoCreateContext());
  CALL(tamoSetGrid, "iiD12dI12", h, N, positions, 0.0, materials);
  CALL(tamoSetParameter1, "iiiiiiiiiiiii", h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0);
  CALL(tamoSetParameter, "iiiiiiiiiiii", h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0);

  /* Rendering: tables for storage, suction, vapour resistance and enthalpy; analytic
   * redistribution and conductivities. Brick: analytic storage (three points) and suction,
   * tables otherwise. Insulation: two-point analytic storage, no liquid transport, constant
   * conductivity, no enthalpy table, and a refused analytic resistance factor. */
  static const double properties[MATERIALS][3] = {
      {1900.0, 0.24, 850.0}, {1750.0, 0.33, 850.0}, {140.0, 0.93, 1400.0}};
  static const struct {
    int32_t material, kind, analytic, n;
    double xs[5], ys[5];
  } functions[] = {
      {1, 1, 0, 5, {0.5, 0.8, 0.93, 0.98, 1.0}, {8.0, 14.0, 25.0, 60.0, 210.0}},
      {1, 2, 0, 4, {0.0, 40.0, 120.0, 210.0}, {0.0, 2e-10, 3e-9, 1.5e-8}},
      {1, 3, 1, 1, {0.0}, {0.05}},
      {1, 4, 1, 2, {0.0, 0.0}, {0.8, 8.0}},
      {1, 5, 1, 2, {0.0, 0.0}, {0.8, 0.002}},
      {1, 6, 0, 3, {0.0, 0.6, 1.0}, {25.0, 20.0, 14.0}},
      {1, 7, 0, 4, {-30.0, 0.0, 30.0, 60.0}, {-25500.0, 0.0, 25500.0, 51000.0}},
      {2, 1, 1, 3, {0.8, 0.95, 1.0}, {6.0, 15.0, 250.0}},
      {2, 2, 1, 1, {0.0}, {0.35}},
      {2, 3, 0, 3, {0.0, 100.0, 250.0}, {1e-11, 5e-10, 2e-9}},
      {2, 4, 0, 2, {0.0, 330.0}, {0.6, 2.2}},
      {2, 5, 0, 3, {-20.0, 20.0, 80.0}, {0.58, 0.6, 0.63}},
      {2, 6, 0, 2, {0.0, 1.0}, {10.0, 8.0}},
      {2, 7, 0, 2, {-20.0, 60.0}, {-17000.0, 51000.0}},
      {3, 1, 1, 2, {0.8, 1.0}, {2.0, 40.0}},
      {3, 2, 1, 0, {0.0}, {0.0}},
      {3, 3, 0, 0, {0.0}, {0.0}},
      {3, 4, 1, 1, {0.0}, {0.04}},
      {3, 5, 0, 0, {0.0}, {0.0}},
      {3, 6, 0, 1, {0.5}, {1.3}},
      {3, 6, 1, 1, {0.5}, {1.3}},
  };
  for (int32_t m = 1; m <= MATERIALS; ++m) {
    const double* p = properties[m - 1];
    CALL(tamoSetMaterial, "iidddi", h, m, p[0], p[1], p[2], 0);
    for (size_t i = 0; i < sizeof functions / sizeof functions[0]; ++i) {
      if (functions[i].material != m) continue;
      const int n = functions[i].n;
      load(h, m, functions[i].kind, functions[i].analytic, n, n ? functions[i].xs : NULL,
           n ? functions[i].ys : NULL);
    }
  }

  CALL(tamoSetSurfaceCondition, "idddddddiddddddi", h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 6.5, 1,
       8.0, 0.0, 0.4, 0.9, 0.0, 4.5, 0);
  {
    const double heat[1] = {5.0}, moisture[1] = {0.05}, air[1] = {0.5};
    const double infiltration[3] = {3.0, 2.5, 1.0}, heat2[1] = {8.0};
    CALL(tamoSetSource, "iiiiiddD1", h, 1, 0, 0, 0, 0.06, 0.02, heat);
    CALL(tamoSetSource, "iiiiiddD1", h, 2, 1, 0, 1, 0.0, 0.01, moisture);
    CALL(tamoSetSource, "iiiiiddD1", h, 3, 2, 0, 2, 0.16, 0.03, air);
    CALL(tamoSetSource, "iiiiiddD3", h, 4, 1, 1, 2, 0.10, 0.05, infiltration);
    CALL(tamoUpdateSource, "iiD1", h, 1, heat2);
    CALL(tamoUpdateSource, "iiD0", h, 4, (const double*)NULL);
  }

  double t[NODES], phi[NODES], w[NODES];
  for (int i = 0; i < NODES; ++i) t[i] = 15.0, phi[i] = 0.6, w[i] = 0.0;
  for (int k = 0; k < STEPS; ++k) {
    const double radiationA = (k >= 8 && k <= 16) ? 40.0 * (k - 7) : -20.0;
    const double rainA = (k >= 5 && k <= 8) ? 1.5 : 0.0;
    CALL(tamoTransBound, "iddddddddddddddd", h, 17.0, 0.0, -2.0 + 0.5 * k, 0.75 + 0.01 * (k % 5),
         radiationA, 280.0 + k, rainA, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0);
    int32_t iterations[1] = {0}, status[1] = {0};
    double changes[2][1] = {{0.0}, {0.0}};
    CALL(tamoStep, "idiD13D13D13I1D1D1I1", h, 3600.0, 0, t, phi, w, iterations, changes[0],
         changes[1], status);
    if (k % 12 == 11) query_results(h, t, phi);
  }
  for (int32_t m = 1; m <= MATERIALS; ++m) {
    double v[8] = {0};
    CALL(tamoSoriso, "iidD1D1", h, m, 0.5, &v[0], (double*)NULL);
    CALL(tamoSoriso, "iidD1D1", h, m, 0.97, &v[1], &v[2]);
    CALL(tamoSorinv, "iidD1", h, m, 20.0, &v[3]);
    CALL(tamoCaldw, "iidD1i", h, m, 50.0, &v[4], 1);
    CALL(tamoCaldw, "iidD1i", h, m, 50.0, &v[5], 0);
    CALL(tamoCalmu, "iidD1", h, m, 0.7, &v[6]);
    CALL(tamoCallam, "iiddD1", h, m, 30.0, 10.0, &v[7]);
    CALL(tamoCalent, "iidD1", h, m, 25.0, &v[0]);
  }
  {
    double grid[NODES], layer[MATERIALS + 1], scratch[NODES], one[1] = {0.0};
    int32_t flags[3] = {0, 0, 0};
    memset(grid, 0, sizeof grid), memset(scratch, 0, sizeof scratch);
    memset(layer, 0, sizeof layer);
    CALL(tamoGetGrid, "iiD13", h, NODES, grid);
    CALL(tamoGetIntermediate, "iiD13D13D13D13D13iD4D1D1", h, 0, t, phi, scratch, scratch, scratch,
         MATERIALS + 1, layer, one, one);
    for (int32_t flag = 1; flag <= 2; ++flag)
      CALL(checkbool, "iI1I1I1", flag, &flags[0], &flags[1], &flags[2]);
  }
  CALL(tamoGetGrid, "iiD3", h, 3, (double*)NULL);
  CALL(tamoDeleteContext, "i", h);
  CALL(tamoDeleteContext, "i", h);
  {
    double grid[NODES] = {0.0};
    CALL(tamoGetGrid, "iiD13", h, NODES, grid); /* refused: deleted context */
  }
  return fclose(out) == 0 ? 0 : 1;
}
