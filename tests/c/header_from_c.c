/* Compiles the public header as C99 and drives a minimal session through the shared
 * library: create, grid, geometry back, delete. */
#include <stdio.h>

#include "tamo1dkernel.h"

int main(void) {
  const double x[4] = {0.0, 0.01, 0.03, 0.06};
  const int32_t mat[4] = {0, 1, 1, 2};
  double back[5] = {0};
  int32_t h = tamoCreateContext();
  if (h < 1) return 1;
  if (tamoSetGrid(h, 4, x, 0.0, mat) != TAMO_OK) return 2;
  if (tamoGetGrid(h, 5, back) != TAMO_OK) return 3;
  if (back[4] != 0.06 || back[1] != 0.01) return 4;
  if (tamoDeleteContext(h) != TAMO_OK) return 5;
  if (tamoDeleteContext(h) != TAMO_INVALID_HANDLE) return 6;
  puts("1 passed, 0 failed");
  return 0;
}
