// Invariant check of the fuzz targets: a broken invariant aborts, which
// libFuzzer reports as a crash and saves the input that caused it. The message
// goes to the target's stderr; when that is closed (-close_fd_mask=2), the
// crash report's stack trace still names the check's line.
#pragma once

#include <cstdio>
#include <cstdlib>

#define KRPROF_FUZZ_CHECK(condition)                                                         \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)
