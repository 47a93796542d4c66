// The host context: the one process-wide object behind the working entry
// points, and the four operations it performs.
#pragma once

#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <memory>
#include <mutex>

namespace tprf {

class Context {
public:
  // The one instance, created by the first call. The mutex is taken on every
  // call and released before the caller runs its operation.
  static Context* getInstance();
  ~Context();

  TPRA_Status getConfigImage(TPRF_RawMetricsConfig_GetConfigImage_Params* pParams);
  TPRA_Status getCounterDataPrefix(TPRF_CounterDataBuilder_GetCounterDataPrefix_Params* pParams);
  TPRA_Status getCounterDataNumRanges(TPRF_CounterData_GetNumRanges_Params* pParams);
  TPRA_Status evaluateToGpuValues(TPRF_MetricsEvaluator_EvaluateToGpuValues_Params* pParams);

private:
  friend struct ContextForkHandlers;

  static std::unique_ptr<Context> ctxInstance_;
  static std::mutex ctxMutex_;
};

} // namespace tprf
