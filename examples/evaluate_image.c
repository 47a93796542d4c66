/* Evaluates a counter-data image file with libkrprof_host.so: counts its
 * ranges and prints the read-sector total of its first range.
 *
 *   evaluate_image FILE
 *
 * `krprof demo -o FILE` writes such a file from a simulated device. */
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <stdio.h>
#include <stdlib.h>

/* The whole file in a new buffer, its length in *size; null on failure. */
static uint8_t* readFile(const char* path, size_t* size) {
  FILE* file = fopen(path, "rb");
  if (file == NULL) return NULL;
  uint8_t* bytes = NULL;
  long length = -1;
  if (fseek(file, 0, SEEK_END) == 0 && (length = ftell(file)) >= 0 && fseek(file, 0, SEEK_SET) == 0) {
    bytes = malloc(length > 0 ? (size_t)length : 1);
    if (bytes != NULL && fread(bytes, 1, (size_t)length, file) != (size_t)length) {
      free(bytes);
      bytes = NULL;
    }
  }
  fclose(file);
  *size = (size_t)length;
  return bytes;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: evaluate_image FILE\n");
    return 2;
  }
  size_t size = 0;
  uint8_t* image = readFile(argv[1], &size);
  if (image == NULL) {
    perror(argv[1]);
    return 1;
  }

  TPRF_CounterData_GetNumRanges_Params ranges = {
      .structSize = sizeof ranges,
      .pCounterDataImage = image,
  };
  TPRA_Status status = TPRF_CounterData_GetNumRanges_Impl(&ranges);

  double readSectors = 0;
  if (status == TPRA_STATUS_SUCCESS) {
    TPRF_MetricsEvaluator_EvaluateToGpuValues_Params eval = {
        .structSize = sizeof eval,
        .pCounterDataImage = image,
        .counterDataImageSize = size,
        .pMetricValues = &readSectors, /* receives one value */
    };
    status = TPRF_MetricsEvaluator_EvaluateToGpuValues(&eval);
  }
  free(image);

  if (status != TPRA_STATUS_SUCCESS) {
    fprintf(stderr, "%s: rejected with status %d\n", argv[1], (int)status);
    return 1;
  }
  printf("ranges: %zu\n", ranges.numRanges);
  printf("read sectors: %.0f\n", readSectors); /* a whole number */
  return 0;
}
