/* Makes one rejected range-count request (a null image) and prints the status.
 * The library's log line goes wherever the logging library sends it. */
#include <krprof/tprf_target.h>

#include <stdio.h>

int main(void) {
  TPRF_CounterData_GetNumRanges_Params params = {sizeof(params), NULL, NULL, 7};
  TPRA_Status status = TPRF_CounterData_GetNumRanges_Impl(&params);
  printf("status %d numRanges %zu\n", (int)status, params.numRanges);
  return 0;
}
