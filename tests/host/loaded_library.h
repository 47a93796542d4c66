// libkrprof_host.so as a tool loads it: with dlopen, its entry points looked
// up by name, unloaded with dlclose. The checks report what went wrong on
// standard error and return false, for scenarios that run in a child process.
#pragma once

#include <dlfcn.h>

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "expected_images.h"

namespace krprof_test {

class LoadedLibrary {
public:
  LoadedLibrary() : handle_(dlopen(KRPROF_HOST_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) std::fprintf(stderr, "dlopen: %s\n", dlerror());
  }
  ~LoadedLibrary() { unload(); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }

  // dlclose; false if it reports an error.
  bool unload() {
    if (handle_ == nullptr) return true;
    const bool closed = dlclose(handle_) == 0;
    if (!closed) std::fprintf(stderr, "dlclose: %s\n", dlerror());
    handle_ = nullptr;
    return closed;
  }

  // The evaluation of the one-range image of the measurement gives its
  // read-sector total, and the same image cut short by one byte is refused
  // with TPRA_STATUS_INTERNAL_ERROR.
  bool evaluatesAndRefuses() const {
    auto* evaluate = entryPoint<decltype(TPRF_MetricsEvaluator_EvaluateToGpuValues)>(
        "TPRF_MetricsEvaluator_EvaluateToGpuValues");
    if (evaluate == nullptr) return false;
    const std::vector<uint8_t>& image = kOneGroupCounterDataImage;
    double value = -1;
    TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
    params.structSize = sizeof(params);
    params.pCounterDataImage = image.data();
    params.counterDataImageSize = image.size();
    params.pMetricValues = &value;
    const TPRA_Status whole = evaluate(&params);
    params.counterDataImageSize = image.size() - 1;
    const TPRA_Status cut = evaluate(&params);
    if (whole != TPRA_STATUS_SUCCESS || value != kOneGroupReadSectors || cut != TPRA_STATUS_INTERNAL_ERROR) {
      std::fprintf(stderr, "evaluation: status %d value %g; cut image: status %d\n", whole, value, cut);
      return false;
    }
    return true;
  }

  template <typename Function>
  Function* entryPoint(const char* name) const {
    void* symbol = handle_ == nullptr ? nullptr : dlsym(handle_, name);
    if (symbol == nullptr) std::fprintf(stderr, "no entry point %s\n", name);
    return reinterpret_cast<Function*>(symbol);
  }

private:
  void* handle_;
};

// Loads the library, evaluates an image and unloads it, `cycles` times in a
// row; `hostWork`, the host's own work, runs while the library is loaded and
// after each unload. 0 if every cycle worked, 1 otherwise.
inline int loadEvaluateUnloadCycles(
    int cycles, const std::function<bool()>& hostWork = [] { return true; }) {
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    LoadedLibrary library;
    if (!library.loaded() || !library.evaluatesAndRefuses() || !hostWork() || !library.unload() ||
        !hostWork()) {
      std::fprintf(stderr, "cycle %d of %d failed\n", cycle, cycles);
      return 1;
    }
  }
  return 0;
}

} // namespace krprof_test
