/* Calls the library from an at-exit handler that runs after the library's own
 * exit-time destruction: the handler is registered before the library is
 * loaded, so it runs after the library's destructors. The rejected request
 * must still return its status, and write no line once the logger handle is
 * released. */
#include <krprof/tprf_target.h>

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

typedef TPRA_Status (*RangeCount)(TPRF_CounterData_GetNumRanges_Params*);

static RangeCount rangeCount;

static void callAfterUnload(void) {
  TPRF_CounterData_GetNumRanges_Params params = {sizeof(params), NULL, NULL, 7};
  printf("at exit: status %d\n", (int)rangeCount(&params));
  fflush(stdout);
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  atexit(callAfterUnload);
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  *(void**)&rangeCount = dlsym(library, "TPRF_CounterData_GetNumRanges_Impl");
  if (rangeCount == NULL) return 1;
  TPRF_CounterData_GetNumRanges_Params params = {sizeof(params), NULL, NULL, 7};
  printf("loaded: status %d\n", (int)rangeCount(&params));
  fflush(stdout);
  return 0;
}
