/* Example host: defines a grid and prints its geometry. */
#include <stdio.h>

#include "tamo1dkernel.h"

int main(void) {
  const double x[5] = {0.0, 0.01, 0.03, 0.06, 0.10};
  const int32_t mat[5] = {0, 1, 1, 2, 2};
  double back[6];
  int32_t h = tamoCreateContext();
  int32_t rc = tamoSetGrid(h, 5, x, 0.0, mat);
  if (rc != TAMO_OK) {
    fprintf(stderr, "tamoSetGrid: %s\n", tamoResultName(rc));
    return 1;
  }
  tamoGetGrid(h, 6, back);
  printf("tamo1dkernel %s: grid of %d interfaces\n", tamoGetVersion(), 5);
  for (int i = 0; i < 5; ++i) printf("  interface %d at %.3f m\n", i + 1, back[i]);
  tamoDeleteContext(h);
  return 0;
}
