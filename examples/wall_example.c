/*
 * Example host: one year (or the number of hours given as argument) of hourly steps through a
 * masonry wall with interior insulation (exterior render, solid brick, calcium silicate board, lime
 * plaster) under a synthetic climate with daily and annual cycles, rain and solar radiation. Prints
 * a summary.
 *
 * Side A is the exterior, side B the room. Everything goes through the public C header.
 */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "tamo1dkernel.h"

#define LAYERS 4
#define PI 3.14159265358979323846

typedef struct {
  const char* name;
  double thickness; /* m */
  int cells;
  double rho, por, cap;             /* kg/m3, m3/m3, J/(kg K) */
  double phi1, w1, phi2, w2, wf;    /* storage function through two points and wf */
  double absorption;                /* water absorption coefficient kg/(m2 s^0.5) */
  double lambda0, lambdaSupplement; /* W/(m K), per unit of w/rho */
  double mu;                        /* vapour diffusion resistance factor */
} Layer;

static const Layer kLayers[LAYERS] = {
    {"lime-cement render", 0.02, 8, 1800, 0.28, 850, 0.5, 6, 0.8, 12, 250, 0.20, 0.80, 8.0, 15},
    {"solid brick", 0.24, 40, 1900, 0.24, 850, 0.5, 2, 0.8, 4, 180, 0.30, 0.60, 8.0, 10},
    {"calcium silicate board", 0.06, 24, 250, 0.90, 1000, 0.5, 3, 0.8, 6, 700, 1.00, 0.06, 3.0, 5},
    {"lime plaster", 0.015, 6, 1600, 0.30, 850, 0.5, 5, 0.8, 9, 250, 0.10, 0.70, 8.0, 7},
};

typedef struct {
  double T, phi, radiation, rain;
} Climate;

/* Synthetic exterior climate at time t (s): annual and daily cycles, rain showers of two
 * hours every fourth day, clear-sky solar radiation by day. */
static Climate exteriorClimate(double t) {
  const double day = 86400.0, year = 365.0 * day;
  const double annual = cos(2.0 * PI * t / year); /* 1 in midwinter (t = 0) */
  const double daily = sin(2.0 * PI * (t / day - 0.375));
  Climate c;
  c.T = 9.0 - 8.0 * annual + 4.0 * daily;
  c.phi = 0.80 + 0.08 * annual - 0.10 * daily;
  const double sun = sin(2.0 * PI * (t / day - 0.25));
  c.radiation = sun > 0.0 ? (350.0 - 200.0 * annual) * sun : -40.0;
  const double hourOfCycle = fmod(t / 3600.0, 96.0);
  c.rain = hourOfCycle >= 40.0 && hourOfCycle < 42.0 ? 1.5 : 0.0;
  return c;
}

static int check(int32_t rc, const char* what) {
  if (rc != TAMO_OK) {
    fprintf(stderr, "%s: %s (%d)\n", what, tamoResultName(rc), rc);
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  /* Optional argument: the number of simulated hours (default one year, 8760). */
  int steps = 8760;
  if (argc > 1) {
    char* end = NULL;
    const long hours = strtol(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0' || hours < 1 || hours > 87600) {
      fprintf(stderr, "usage: %s [hours (1..87600), default 8760]\n", argv[0]);
      return 2;
    }
    steps = (int)hours;
  }
  /* Grid: cells refined towards the layer boundaries by a symmetric sine spacing. */
  int cells = 0;
  for (int l = 0; l < LAYERS; ++l) cells += kLayers[l].cells;
  const int32_t N = cells + 1, n = N + 1;
  double* x = calloc((size_t)N, sizeof *x);
  int32_t* mat = calloc((size_t)N, sizeof *mat);
  double *T = calloc((size_t)n, sizeof *T), *phi = calloc((size_t)n, sizeof *phi);
  double *w = calloc((size_t)n, sizeof *w), *psat = calloc((size_t)n, sizeof *psat);
  double* dew = calloc((size_t)n, sizeof *dew);
  double *savedT = calloc((size_t)n, sizeof *T), *savedPhi = calloc((size_t)n, sizeof *T);
  double *qh = calloc((size_t)N, sizeof *qh), *qe = calloc((size_t)N, sizeof *qe);
  double *gv = calloc((size_t)N, sizeof *gv), *gl = calloc((size_t)N, sizeof *gl);
  if (!x || !mat || !T || !phi || !w || !psat || !dew || !savedT || !savedPhi || !qh || !qe ||
      !gv || !gl) {
    return 1;
  }
  int k = 0;
  double start = 0.0;
  x[k++] = 0.0;
  for (int l = 0; l < LAYERS; ++l) {
    for (int c = 1; c <= kLayers[l].cells; ++c) {
      const double s = (double)c / kLayers[l].cells;
      x[k] = start + kLayers[l].thickness * (s - sin(2.0 * PI * s) / (2.0 * PI) * 0.6);
      mat[k] = l + 1;
      ++k;
    }
    start += kLayers[l].thickness;
  }

  const int32_t h = tamoCreateContext();
  int fail = check(tamoSetGrid(h, N, x, 0.0, mat), "tamoSetGrid");
  fail |= check(tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0), "tamoSetParameter1");
  for (int l = 0; l < LAYERS && !fail; ++l) {
    const Layer* L = &kLayers[l];
    const int32_t m = l + 1;
    const double sx[3] = {L->phi1, L->phi2, 1.0}, sy[3] = {L->w1, L->w2, L->wf};
    const double a[1] = {L->absorption};
    const double lw[2] = {L->lambda0, L->lambdaSupplement};
    const double lt[2] = {L->lambda0, 0.0002};
    const double mx[2] = {0.0, 1.0}, my[2] = {L->mu, L->mu};
    fail |= check(tamoSetMaterial(h, m, L->rho, L->por, L->cap, 0), "tamoSetMaterial");
    fail |= check(tamoSetMaterialFunction(h, m, 1, 1, 3, sx, sy), "storage function");
    fail |= check(tamoSetMaterialFunction(h, m, 2, 1, 1, a, a), "suction");
    fail |= check(tamoSetMaterialFunction(h, m, 3, 1, 1, a, a), "redistribution");
    fail |= check(tamoSetMaterialFunction(h, m, 4, 1, 2, lw, lw), "conductivity over w");
    fail |= check(tamoSetMaterialFunction(h, m, 5, 1, 2, lt, lt), "conductivity over T");
    fail |= check(tamoSetMaterialFunction(h, m, 6, 0, 2, mx, my), "resistance factor");
  }
  fail |= check(tamoSetSurfaceCondition(h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 5.0, 0, 8.0, 0.0,
                                        0.0, 0.9, 0.0, 0.0, 0),
                "tamoSetSurfaceCondition");
  if (fail) return 1;

  for (int i = 0; i < n; ++i) {
    T[i] = 15.0;
    phi[i] = 0.6;
  }
  const int32_t M = LAYERS;
  double layers[LAYERS], mean = 0.0, waterStart = 0.0, waterEnd = 0.0;
  tamoGetIntermediate(h, 0, T, phi, w, psat, dew, M, layers, &mean, &waterStart);

  const double hour = 3600.0, minimumStep = 60.0;
  double tMin = 1e9, tMax = -1e9, time = 0.0;
  long iterations = 0, stepsTaken = 0, retries = 0;
  const clock_t wallStart = clock();
  for (int s = 0; s < steps; ++s) {
    const double target = (s + 1) * hour;
    double dt = hour;
    while (time < target - 1e-9) {
      if (time + dt > target) dt = target - time;
      const Climate e = exteriorClimate(time + dt);
      memcpy(savedT, T, (size_t)n * sizeof *T);
      memcpy(savedPhi, phi, (size_t)n * sizeof *phi);
      int32_t iter = 0, status = 0;
      double dphi = 0.0, dT = 0.0;
      const int32_t rc =
          tamoStep2(h, 17.0, 0.0, e.T, e.phi, e.radiation, 0.0, e.rain, 8.0, 0.0, 20.0, 0.5, 0.0,
                    0.0, 0.0, 101325.0, dt, 0, T, phi, w, &iter, &dphi, &dT, &status);
      if ((rc == TAMO_DIVERGED || (status & TAMO_STATUS_NOT_CONVERGED)) && dt > minimumStep) {
        memcpy(T, savedT, (size_t)n * sizeof *T); /* repeat from the saved state */
        memcpy(phi, savedPhi, (size_t)n * sizeof *phi);
        dt *= 0.5;
        ++retries;
        continue;
      }
      if (rc != TAMO_OK && rc != TAMO_DIVERGED) return check(rc, "tamoStep2");
      time += dt;
      iterations += iter;
      ++stepsTaken;
      dt = hour;
    }
    if (T[1] < tMin) tMin = T[1];
    if (T[1] > tMax) tMax = T[1];
  }
  const double wall = (double)(clock() - wallStart) / CLOCKS_PER_SEC;

  tamoGetIntermediate(h, 0, T, phi, w, psat, dew, M, layers, &mean, &waterEnd);
  tamoGetFlux(h, 0, T, phi, qh, qe, gv, gl);

  printf("tamo1dkernel %s: %d cells, %d hourly steps\n", tamoGetVersion(), cells, steps);
  printf("  total water          start %.4f kg/m2, end %.4f kg/m2\n", waterStart, waterEnd);
  printf("  exterior surface     lowest %.2f degC, highest %.2f degC\n", tMin, tMax);
  printf("  steps                %ld (%ld repeated with a shorter step)\n", stepsTaken, retries);
  printf("  iterations per step  %.2f\n", (double)iterations / (double)stepsTaken);
  printf("  CPU time             %.2f s\n", wall);
  printf("  at the end:\n");
  printf("    heat flux          exterior %.3f W/m2, interior %.3f W/m2\n", qh[0], qh[N - 1]);
  printf("    moisture flux      exterior %.3e kg/(m2 s), interior %.3e kg/(m2 s)\n", gv[0] + gl[0],
         gv[N - 1] + gl[N - 1]);
  for (int l = 0; l < LAYERS; ++l) {
    printf("    %-22s %.3f kg/m3\n", kLayers[l].name, layers[l]);
  }
  tamoDeleteContext(h);
  free(x);
  free(mat);
  free(T);
  free(phi);
  free(w);
  free(psat);
  free(dew);
  free(savedT);
  free(savedPhi);
  free(qh);
  free(qe);
  free(gv);
  free(gl);
  return 0;
}
