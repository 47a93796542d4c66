/* A profiling tool in miniature, built against an installed krprof: counts
 * the ranges of a counter-data image and asks for the configuration image's
 * size, through the public C entry points. */
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <stdio.h>

int main(void) {
  static const uint8_t image[] = {0};
  TPRF_CounterData_GetNumRanges_Params ranges = {sizeof ranges, NULL, image, 0};
  TPRF_RawMetricsConfig_GetConfigImage_Params config = {sizeof config, NULL, NULL, 0, NULL, 0};

  const TPRA_Status rangesStatus = TPRF_CounterData_GetNumRanges_Impl(&ranges);
  const TPRA_Status configStatus = TPRF_RawMetricsConfig_GetConfigImage(&config);
  printf("ranges %d %zu\n", (int)rangesStatus, ranges.numRanges);
  printf("config image size %d %zu\n", (int)configStatus, config.bytesCopied);
  return rangesStatus == TPRA_STATUS_SUCCESS && configStatus == TPRA_STATUS_SUCCESS ? 0 : 1;
}
