// A host that links a compiled copy of "krpti_protobuf.proto" of its own
// registers the schema with protobuf's generated pool when it starts. The
// library registers the same file when it is loaded, and the protobuf runtime
// ends the process: one process holds one registration of a schema file.
#include <gtest/gtest.h>

#include <signal.h>

#include "child_process.h"
#include "krpti_protobuf.pb.h"
#include "loaded_library.h"

namespace krprof_test {
namespace {

using namespace std::chrono_literals;

TEST(OwnSchemaCopy, LoadingTheLibraryAbortsTheHost) {
  // The host's copy is in use, so its registration is linked in.
  ASSERT_EQ(tprf::pbCounterDataImage::descriptor()->file()->name(), "krpti_protobuf.proto");
  const ChildOutcome outcome =
      runInChild([] { return LoadedLibrary().loaded() ? 0 : 1; }, scaledDeadline(10s));
  EXPECT_TRUE(outcome.killedBy(SIGABRT)) << outcome.describe();
  EXPECT_NE(outcome.standardError.find("File already exists in database: krpti_protobuf.proto"),
            std::string::npos)
      << outcome.standardError;
}

} // namespace
} // namespace krprof_test
