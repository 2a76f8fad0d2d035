/* Runs the reference simulation of the Java parity test through the C interface and writes
 * every result as one record per line:
 *   <label> d <count> <64-bit patterns of the doubles, 16 hex digits each>
 *   <label> i <count> <32-bit integers in decimal>
 * The Java test (SimulationParityTest) drives the same case through the native methods and
 * compares its results bit for bit with these records. Keep both case descriptions in step.
 * Usage: tamo_parity_case_driver <output file> */
#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "tamo1dkernel.h"

enum { N = 12, NODES = N + 1, STEPS = 24, MATERIALS = 3, SOURCES = 4 };

static FILE* out;

static void put_doubles(const char* label, int count, const double* values) {
  fprintf(out, "%s d %d", label, count);
  for (int i = 0; i < count; ++i) {
    uint64_t bits;
    memcpy(&bits, &values[i], sizeof bits);
    fprintf(out, " %016" PRIx64, bits);
  }
  fputc('\n', out);
}

static void put_ints(const char* label, int count, const int32_t* values) {
  fprintf(out, "%s i %d", label, count);
  for (int i = 0; i < count; ++i) fprintf(out, " %" PRId32, values[i]);
  fputc('\n', out);
}

static void put_rc(const char* label, int32_t rc) {
  put_ints(label, 1, &rc);
}

static void load(int32_t h, int32_t material, int32_t kind, int32_t analytic, int32_t n,
                 const double* xs, const double* ys) {
  char label[64];
  snprintf(label, sizeof label, "function.m%d.k%d.a%d", material, kind, analytic);
  put_rc(label, tamoSetMaterialFunction(h, material, kind, analytic, n, xs, ys));
}

/* Every result query for the node state after a step. */
static void query_results(int32_t h, int step, const double* t, const double* phi) {
  char label[64];
  double a[NODES], b[NODES], c[NODES], d[NODES];
  double layer[MATERIALS], interior[1], total[1];
  double hA[1], vA[1], hB[1], vB[1];
  double heat[1], moisture[1];

  memset(a, 0, sizeof a), memset(b, 0, sizeof b), memset(c, 0, sizeof c);
  memset(d, 0, sizeof d);
  snprintf(label, sizeof label, "s%d.flux.rc", step);
  put_rc(label, tamoGetFlux(h, 0, t, phi, a, b, c, d));
  snprintf(label, sizeof label, "s%d.flux.heat", step), put_doubles(label, N, a);
  snprintf(label, sizeof label, "s%d.flux.enthalpy", step), put_doubles(label, N, b);
  snprintf(label, sizeof label, "s%d.flux.vapour", step), put_doubles(label, N, c);
  snprintf(label, sizeof label, "s%d.flux.liquid", step), put_doubles(label, N, d);

  hA[0] = vA[0] = hB[0] = vB[0] = 0.0;
  snprintf(label, sizeof label, "s%d.coeff.rc", step);
  put_rc(label, tamoGetSurfaceCoeff(h, hA, vA, hB, vB));
  double coeff[4] = {hA[0], vA[0], hB[0], vB[0]};
  snprintf(label, sizeof label, "s%d.coeff", step), put_doubles(label, 4, coeff);

  memset(a, 0, sizeof a), memset(b, 0, sizeof b), memset(c, 0, sizeof c);
  memset(layer, 0, sizeof layer), interior[0] = total[0] = 0.0;
  snprintf(label, sizeof label, "s%d.intermediate.rc", step);
  put_rc(label, tamoGetIntermediate(h, 0, t, phi, a, b, c, MATERIALS, layer, interior, total));
  snprintf(label, sizeof label, "s%d.intermediate.water", step), put_doubles(label, NODES, a);
  snprintf(label, sizeof label, "s%d.intermediate.psat", step), put_doubles(label, NODES, b);
  snprintf(label, sizeof label, "s%d.intermediate.dew", step), put_doubles(label, NODES, c);
  snprintf(label, sizeof label, "s%d.intermediate.layer", step);
  put_doubles(label, MATERIALS, layer);
  snprintf(label, sizeof label, "s%d.intermediate.interior", step), put_doubles(label, 1, interior);
  snprintf(label, sizeof label, "s%d.intermediate.total", step), put_doubles(label, 1, total);

  memset(a, 0, sizeof a), memset(b, 0, sizeof b), memset(c, 0, sizeof c);
  snprintf(label, sizeof label, "s%d.transport.rc", step);
  put_rc(label, tamoGetTransport(h, NODES, a, b, c));
  snprintf(label, sizeof label, "s%d.transport.heat", step), put_doubles(label, NODES, a);
  snprintf(label, sizeof label, "s%d.transport.vapour", step), put_doubles(label, NODES, b);
  snprintf(label, sizeof label, "s%d.transport.liquid", step), put_doubles(label, NODES, c);

  for (int s = 1; s <= SOURCES; ++s) {
    heat[0] = moisture[0] = 0.0;
    snprintf(label, sizeof label, "s%d.source%d.rc", step, s);
    put_rc(label, tamoGetSourceQuantity(h, s, NODES, t, phi, heat, moisture));
    double q[2] = {heat[0], moisture[0]};
    snprintf(label, sizeof label, "s%d.source%d", step, s), put_doubles(label, 2, q);
  }
}

static void query_properties(int32_t h) {
  char label[64];
  for (int m = 1; m <= MATERIALS; ++m) {
    double v[8] = {0};
    int32_t rc[8];
    rc[0] = tamoSoriso(h, m, 0.5, &v[0], NULL);
    rc[1] = tamoSoriso(h, m, 0.97, &v[1], &v[2]);
    rc[2] = tamoSorinv(h, m, 20.0, &v[3]);
    rc[3] = tamoCaldw(h, m, 50.0, &v[4], 1);
    rc[4] = tamoCaldw(h, m, 50.0, &v[5], 0);
    rc[5] = tamoCalmu(h, m, 0.7, &v[6]);
    rc[6] = tamoCallam(h, m, 30.0, 10.0, &v[7]);
    snprintf(label, sizeof label, "m%d.properties.rc", m), put_ints(label, 7, rc);
    snprintf(label, sizeof label, "m%d.properties", m), put_doubles(label, 8, v);
    double enthalpy[1] = {-1.0};
    snprintf(label, sizeof label, "m%d.calent.rc", m);
    put_rc(label, tamoCalent(h, m, 25.0, enthalpy));
    snprintf(label, sizeof label, "m%d.calent", m), put_doubles(label, 1, enthalpy);
  }
}

int main(int argc, char** argv) {
  static const double positions[N] = {0.0,  0.005, 0.015, 0.03, 0.05,  0.075,
                                      0.10, 0.13,  0.16,  0.18, 0.195, 0.2};
  static const int32_t materials[N] = {0, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
  if (argc != 2 || (out = fopen(argv[1], "w")) == NULL) return 2;

  int32_t h = tamoCreateContext();
  put_rc("create", h);
  put_rc("grid.rc", tamoSetGrid(h, N, positions, 0.0, materials));
  put_rc("parameters.rc", tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0));
  put_rc("parameters.again.rc", tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0));

  /* Material 1, rendering: tables for storage, suction, vapour resistance and enthalpy;
   * analytic redistribution and conductivities. */
  put_rc("material1.rc", tamoSetMaterial(h, 1, 1900.0, 0.24, 850.0, 0));
  {
    const double phi[5] = {0.5, 0.8, 0.93, 0.98, 1.0}, w[5] = {8.0, 14.0, 25.0, 60.0, 210.0};
    const double ws[4] = {0.0, 40.0, 120.0, 210.0}, ds[4] = {0.0, 2e-10, 3e-9, 1.5e-8};
    const double none[2] = {0.0, 0.0}, a[1] = {0.05}, lw[2] = {0.8, 8.0}, lt[2] = {0.8, 0.002};
    const double mphi[3] = {0.0, 0.6, 1.0}, mu[3] = {25.0, 20.0, 14.0};
    const double t[4] = {-30.0, 0.0, 30.0, 60.0}, en[4] = {-25500.0, 0.0, 25500.0, 51000.0};
    load(h, 1, 1, 0, 5, phi, w);
    load(h, 1, 2, 0, 4, ws, ds);
    load(h, 1, 3, 1, 1, none, a);
    load(h, 1, 4, 1, 2, none, lw);
    load(h, 1, 5, 1, 2, none, lt);
    load(h, 1, 6, 0, 3, mphi, mu);
    load(h, 1, 7, 0, 4, t, en);
  }
  /* Material 2, brick: analytic storage (three points) and suction; tables otherwise. */
  put_rc("material2.rc", tamoSetMaterial(h, 2, 1750.0, 0.33, 850.0, 0));
  {
    const double phi[3] = {0.8, 0.95, 1.0}, w[3] = {6.0, 15.0, 250.0};
    const double none[1] = {0.0}, a[1] = {0.35};
    const double wr[3] = {0.0, 100.0, 250.0}, dr[3] = {1e-11, 5e-10, 2e-9};
    const double wl[2] = {0.0, 330.0}, lw[2] = {0.6, 2.2};
    const double tl[3] = {-20.0, 20.0, 80.0}, lt[3] = {0.58, 0.6, 0.63};
    const double mphi[2] = {0.0, 1.0}, mu[2] = {10.0, 8.0};
    const double t[2] = {-20.0, 60.0}, en[2] = {-17000.0, 51000.0};
    load(h, 2, 1, 1, 3, phi, w);
    load(h, 2, 2, 1, 1, none, a);
    load(h, 2, 3, 0, 3, wr, dr);
    load(h, 2, 4, 0, 2, wl, lw);
    load(h, 2, 5, 0, 3, tl, lt);
    load(h, 2, 6, 0, 2, mphi, mu);
    load(h, 2, 7, 0, 2, t, en);
  }
  /* Material 3, insulation: two-point analytic storage, no liquid transport, constant
   * conductivity, no enthalpy table. */
  put_rc("material3.rc", tamoSetMaterial(h, 3, 140.0, 0.93, 1400.0, 0));
  {
    const double phi[2] = {0.8, 1.0}, w[2] = {2.0, 40.0};
    const double none[1] = {0.0}, l[1] = {0.04}, mphi[1] = {0.5}, mu[1] = {1.3};
    load(h, 3, 1, 1, 2, phi, w);
    load(h, 3, 2, 1, 0, NULL, NULL);
    load(h, 3, 3, 0, 0, NULL, NULL);
    load(h, 3, 4, 1, 1, none, l);
    load(h, 3, 5, 0, 0, NULL, NULL);
    load(h, 3, 6, 0, 1, mphi, mu);
    load(h, 3, 6, 1, 1, mphi, mu); /* refused: no analytic form */
  }

  put_rc("surface.rc", tamoSetSurfaceCondition(h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 6.5, 1, 8.0,
                                               0.0, 0.4, 0.9, 0.0, 4.5, 0));
  {
    const double heat[1] = {5.0}, moisture[1] = {0.05}, air[1] = {0.5};
    const double infiltration[3] = {3.0, 2.5, 1.0}, heat2[1] = {8.0};
    put_rc("source1.rc", tamoSetSource(h, 1, 0, 0, 0, 0.06, 0.02, heat));
    put_rc("source2.rc", tamoSetSource(h, 2, 1, 0, 1, 0.0, 0.01, moisture));
    put_rc("source3.rc", tamoSetSource(h, 3, 2, 0, 2, 0.16, 0.03, air));
    put_rc("source4.rc", tamoSetSource(h, 4, 1, 1, 2, 0.10, 0.05, infiltration));
    put_rc("update1.rc", tamoUpdateSource(h, 1, heat2));
    put_rc("update4.rc", tamoUpdateSource(h, 4, NULL));
  }

  double t[NODES], phi[NODES], w[NODES];
  for (int i = 0; i < NODES; ++i) t[i] = 15.0, phi[i] = 0.6, w[i] = 0.0;
  for (int k = 0; k < STEPS; ++k) {
    char label[64];
    const double temperatureA = -2.0 + 0.5 * k;
    const double humidityA = 0.75 + 0.01 * (k % 5);
    const double radiationA = (k >= 8 && k <= 16) ? 40.0 * (k - 7) : -20.0;
    const double counterRadiationA = 280.0 + k;
    const double rainA = (k >= 5 && k <= 8) ? 1.5 : 0.0;
    snprintf(label, sizeof label, "s%d.climate.rc", k);
    put_rc(label,
           tamoTransBound(h, 17.0, 0.0, temperatureA, humidityA, radiationA, counterRadiationA,
                          rainA, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0));
    int32_t iterations[1] = {0}, status[1] = {0};
    double maxHumidityChange[1] = {0.0}, maxTemperatureChange[1] = {0.0};
    snprintf(label, sizeof label, "s%d.step.rc", k);
    put_rc(label, tamoStep(h, 3600.0, 0, t, phi, w, iterations, maxHumidityChange,
                           maxTemperatureChange, status));
    snprintf(label, sizeof label, "s%d.temperature", k), put_doubles(label, NODES, t);
    snprintf(label, sizeof label, "s%d.humidity", k), put_doubles(label, NODES, phi);
    snprintf(label, sizeof label, "s%d.water", k), put_doubles(label, NODES, w);
    int32_t counters[2] = {iterations[0], status[0]};
    snprintf(label, sizeof label, "s%d.counters", k), put_ints(label, 2, counters);
    double changes[2] = {maxHumidityChange[0], maxTemperatureChange[0]};
    snprintf(label, sizeof label, "s%d.changes", k), put_doubles(label, 2, changes);
    if (k % 12 == 11) query_results(h, k, t, phi);
  }
  query_properties(h);

  {
    double grid[NODES];
    memset(grid, 0, sizeof grid);
    put_rc("getgrid.rc", tamoGetGrid(h, NODES, grid));
    put_doubles("getgrid", NODES, grid);
    double layer[MATERIALS + 1], scratch[NODES], one[1];
    put_rc("intermediate.badcount.rc", tamoGetIntermediate(h, 0, t, phi, scratch, scratch, scratch,
                                                           MATERIALS + 1, layer, one, one));
    int32_t flags[3];
    put_rc("checkbool1", checkbool(1, &flags[0], &flags[1], &flags[2]));
    put_ints("checkbool1.values", 3, flags);
    put_rc("checkbool2", checkbool(2, &flags[0], &flags[1], &flags[2]));
    put_ints("checkbool2.values", 3, flags);
  }
  put_rc("delete.rc", tamoDeleteContext(h));
  put_rc("delete.again.rc", tamoDeleteContext(h));
  return fclose(out) == 0 ? 0 : 1;
}
