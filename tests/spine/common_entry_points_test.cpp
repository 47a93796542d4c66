// The common entry points: the loader query and the inert loader entries.
#include <krprof/tprf_common.h>
#include <krprof/tprf_host.h>

#include <gtest/gtest.h>

#include "quay_log.h"

namespace {

TEST(GetProcAddress, HandsOutNothing) {
  for (const char* name : {"TPRF_InitializeHost", "TPRA_GetProcAddress", "TPRF_CounterData_GetNumRanges_Impl",
                           "no such function", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(TPRA_GetProcAddress(name), nullptr) << (name ? name : "(null)");
  }
}

TEST(LoaderEntryPoints, AcceptAnythingAndTouchNothing) {
  krprof_test::QuayLog log;

  TPRF_SetLibraryLoadPaths_Params paths{};
  paths.numPaths = 3; // with a null array: not read
  EXPECT_EQ(TPRF_SetLibraryLoadPaths(&paths), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(paths.numPaths, 3u);
  EXPECT_EQ(paths.ppPaths, nullptr);

  const wchar_t* widePath = L"/opt/kora/lib";
  TPRF_SetLibraryLoadPathsW_Params widePaths{sizeof(widePaths), nullptr, 1, &widePath};
  EXPECT_EQ(TPRF_SetLibraryLoadPathsW(&widePaths), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(widePaths.ppwPaths, &widePath);

  EXPECT_EQ(TPRF_SetLibraryLoadPaths(nullptr), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(TPRF_SetLibraryLoadPathsW(nullptr), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(TPRF_InitializeHost(nullptr), TPRA_STATUS_SUCCESS);
  for (int i = 0; i < 3; ++i) {
    TPRF_InitializeHost_Params init{0, reinterpret_cast<void*>(0xA5A5)};
    EXPECT_EQ(TPRF_InitializeHost(&init), TPRA_STATUS_SUCCESS);
    EXPECT_EQ(init.structSize, 0u);
    EXPECT_EQ(init.pPriv, reinterpret_cast<void*>(0xA5A5));
  }
  EXPECT_TRUE(log.lines().empty());
}

} // namespace
