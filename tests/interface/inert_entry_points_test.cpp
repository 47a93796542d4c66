// Every inert entry point, reached by its exported name: it returns success
// for a null block and leaves a block of any content byte for byte as it was,
// without writing a log line.
#include <krprof/tprf_common.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "quay_log.h"

namespace {

// The exported names that do work or take no block; every other is inert.
constexpr std::array<const char*, 8> kWorkingNames = {
    "TPRA_GetProcAddress",
    "TPRF_RawMetricsConfig_GetConfigImage",
    "TPRF_RawMetricsConfig_GetConfigImage_Impl",
    "TPRF_CounterDataBuilder_GetCounterDataPrefix",
    "TPRF_CounterDataBuilder_GetCounterDataPrefix_Impl",
    "TPRF_CounterData_GetNumRanges_Impl",
    "TPRF_MetricsEvaluator_EvaluateToGpuValues",
    "TPRF_MetricsEvaluator_EvaluateToGpuValues_Impl",
};

std::vector<std::string> inertEntryPointNames() {
  std::ifstream exports(KRPROF_EXPECTED_EXPORTS_FILE);
  std::vector<std::string> names;
  for (std::string name; std::getline(exports, name);) {
    const bool working = std::find(kWorkingNames.begin(), kWorkingNames.end(), name) != kWorkingNames.end();
    if (!name.empty() && !working) names.push_back(name);
  }
  return names;
}

// Larger than any block of the interface.
constexpr size_t kBlockBytes = 512;
using Block = std::array<uint8_t, kBlockBytes>;
using InertEntryPoint = TPRA_Status (*)(void*);

// Calls an entry point found by name through one generic type, as a loader
// that resolves names at run time does. Each really takes a pointer to its
// own block type, so clang's check of the called function's type stays out.
#if defined(__clang__)
#define KRPROF_NO_FUNCTION_TYPE_CHECK __attribute__((no_sanitize("function")))
#else
#define KRPROF_NO_FUNCTION_TYPE_CHECK
#endif
KRPROF_NO_FUNCTION_TYPE_CHECK TPRA_Status callByName(InertEntryPoint entryPoint, void* block) {
  return entryPoint(block);
}

Block filledBlock(uint8_t fill, size_t structSize) {
  Block block;
  block.fill(fill);
  std::memcpy(block.data(), &structSize, sizeof structSize);
  return block;
}

TEST(InertEntryPoints, EveryOneSucceedsWithoutTouchingItsBlock) {
  const std::vector<std::string> names = inertEntryPointNames();
  ASSERT_EQ(names.size(), 75u) << "reading " << KRPROF_EXPECTED_EXPORTS_FILE;

  void* library = dlopen("libkrprof_host.so", RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();

  krprof_test::QuayLog log;
  log.setLevel(krlog::verbose);

  const Block allA5 = filledBlock(0xA5, 0xA5A5A5A5A5A5A5A5u);
  const Block sizeZero = filledBlock(0x5A, 0);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const auto entryPoint = reinterpret_cast<InertEntryPoint>(dlsym(library, name.c_str()));
    ASSERT_NE(entryPoint, nullptr);

    EXPECT_EQ(callByName(entryPoint, nullptr), TPRA_STATUS_SUCCESS);
    for (const Block& original : {allA5, sizeZero}) {
      Block block = original;
      EXPECT_EQ(callByName(entryPoint, block.data()), TPRA_STATUS_SUCCESS);
      EXPECT_EQ(block, original);
    }
  }
  EXPECT_TRUE(log.lines().empty());
  dlclose(library);
}

} // namespace
