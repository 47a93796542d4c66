/* Gets the configuration image and the counter-data prefix from
 * libkrprof_host.so and prints them as hex.
 *
 *   get_images
 *
 * Both entry points follow the same two-call protocol: called with a null
 * buffer, they report the size in bytesCopied; called again with a buffer
 * and its capacity in bytesAllocated, they copy the bytes into it. */
#include <krprof/tprf_host.h>

#include <stdio.h>
#include <stdlib.h>

/* One entry point behind one signature: with a null buffer, stores the size
 * in *size; otherwise copies into buffer, which holds capacity bytes. */
typedef TPRA_Status (*ImageCall)(uint8_t* buffer, size_t capacity, size_t* size);

static TPRA_Status configImage(uint8_t* buffer, size_t capacity, size_t* size) {
  TPRF_RawMetricsConfig_GetConfigImage_Params params = {
      .structSize = sizeof params,
      .pBuffer = buffer,
      .bytesAllocated = capacity,
  };
  const TPRA_Status status = TPRF_RawMetricsConfig_GetConfigImage(&params);
  if (buffer == NULL) *size = params.bytesCopied;
  return status;
}

static TPRA_Status counterDataPrefix(uint8_t* buffer, size_t capacity, size_t* size) {
  TPRF_CounterDataBuilder_GetCounterDataPrefix_Params params = {
      .structSize = sizeof params,
      .pBuffer = buffer,
      .bytesAllocated = capacity,
  };
  const TPRA_Status status = TPRF_CounterDataBuilder_GetCounterDataPrefix(&params);
  if (buffer == NULL) *size = params.bytesCopied;
  return status;
}

/* Size query, copy, and a line of hex; the status of the failing call. */
static TPRA_Status printImage(const char* name, ImageCall call) {
  size_t size = 0;
  TPRA_Status status = call(NULL, 0, &size);
  if (status != TPRA_STATUS_SUCCESS) return status;
  uint8_t* bytes = malloc(size);
  if (bytes == NULL) return TPRA_STATUS_ERROR;
  status = call(bytes, size, &size);
  if (status == TPRA_STATUS_SUCCESS) {
    printf("%s (%zu bytes):", name, size);
    for (size_t i = 0; i < size; ++i) printf(" %02x", bytes[i]);
    printf("\n");
  }
  free(bytes);
  return status;
}

int main(void) {
  TPRA_Status status = printImage("configuration image", configImage);
  if (status == TPRA_STATUS_SUCCESS) status = printImage("counter-data prefix", counterDataPrefix);
  if (status != TPRA_STATUS_SUCCESS) {
    fprintf(stderr, "get_images: failed with status %d\n", (int)status);
    return 1;
  }
  return 0;
}
