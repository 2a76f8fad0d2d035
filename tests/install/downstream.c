/* Uses the installed library: create a context, define a grid, read it back. */
#include <stdio.h>

#include "tamo1dhost.h"
#include "tamo1dkernel.h"

int main(void) {
  const double x[3] = {0.0, 0.1, 0.2};
  const int32_t mat[3] = {0, 1, 1};
  double back[4] = {0};
  const int32_t h = tamoCreateContext();
  if (h < 1 || tamoSetGrid(h, 3, x, 0.0, mat) != TAMO_OK) return 1;
  if (tamoGetGrid(h, 4, back) != TAMO_OK || back[3] != 0.2) return 2;
  if (tamoDeleteContext(h) != TAMO_OK) return 3;
  /* The host library refuses a case without layers and says which field. */
  TamoHostRun* run = NULL;
  if (tamoHostOpenText("{}", "c.json", NULL, NULL, &run) != TAMO_HOST_BAD_INPUT) return 4;
  if (tamoHostMessage(run)[0] == '\0') return 5;
  tamoHostClose(run);
  puts("1 passed, 0 failed");
  return 0;
}
