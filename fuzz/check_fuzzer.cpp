// Checks the fuzz input as `krprof check` does: the library's range count and
// evaluation give the verdict, the walk of the bytes explains it. Whenever
// the library rejects the input, the walk finds at least one problem with a
// rule; whenever it accepts it, the walk finds none and the warnings can be
// worked out.
#include <krprof/tprf_host.h>
#include <krprof/tprf_target.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "image_check.h"
#include "quay_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static krprof_test::QuayLog log; // keeps the library's lines out of the run's log
  static const krprof_tool::SchemaPool pool;
  log.clear();

  const krprof_tool::Bytes image(data, data + size);
  static const uint8_t kNoBytes = 0;
  double value = 0.0;
  TPRF_MetricsEvaluator_EvaluateToGpuValues_Params params{};
  params.pCounterDataImage = size > 0 ? data : &kNoBytes;
  params.counterDataImageSize = size;
  params.pMetricValues = &value;
  const TPRA_Status status = TPRF_MetricsEvaluator_EvaluateToGpuValues(&params);

  const std::vector<krprof_tool::Finding> problems = krprof_tool::counterDataProblems(pool, image);
  if (status == TPRA_STATUS_SUCCESS) {
    KRPROF_FUZZ_CHECK(problems.empty());
    krprof_tool::counterDataWarnings(pool, image, {6, {9, 10}});
  } else {
    KRPROF_FUZZ_CHECK(!problems.empty());
    for (const krprof_tool::Finding& problem : problems) {
      KRPROF_FUZZ_CHECK(!problem.rule.empty() && problem.offset <= size);
    }
  }
  return 0;
}
