// The two image entry points as a tool sees them: the two-call size protocol,
// the exact bytes, and the rejection of a buffer that is too small, with its
// log line.
#include <gtest/gtest.h>
#include <krprof/tprf_host.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "expected_images.h"
#include "hex_bytes.h"
#include "image_entry_points.h"
#include "quay_log.h"

namespace krprof_test {
namespace {

struct ImageCase {
  const ImageEntryPoint* entryPoint;
  const std::vector<uint8_t>* expected;
  const char* rejectionMessage;
};

const ImageCase kImageCases[] = {
    {&kConfigImage, &kExpectedConfigImage, "getConfigImage parameter wrong."},
    {&kCounterDataPrefix, &kExpectedCounterDataPrefix, "getCounterDataPrefix parameter wrong."},
};

void PrintTo(const ImageCase& image, std::ostream* out) {
  *out << image.entryPoint->name;
}

constexpr uint8_t kFill = 0xa5;
constexpr size_t kUnchangedBytesCopied = 0x5eed;
constexpr uintptr_t kSomeHandle = 0x1000; // never valid memory: the library must not read it

class ImageEntryPointTest : public testing::TestWithParam<ImageCase> {
protected:
  void SetUp() override { log_.setLevel(krlog::err); }

  TPRA_Status call(ImageRequest* request) const { return GetParam().entryPoint->call(request); }
  const std::vector<uint8_t>& expected() const { return *GetParam().expected; }

  // A copy request into `buffer`, which claims `bytesAllocated` bytes.
  static ImageRequest copyInto(std::vector<uint8_t>& buffer, size_t bytesAllocated) {
    ImageRequest request;
    request.bytesAllocated = bytesAllocated;
    request.pBuffer = buffer.data();
    request.bytesCopied = kUnchangedBytesCopied;
    return request;
  }

  // Exactly one line was written, at `err`, of the form
  // "tprf_config.cpp" padded to 25 columns, ":", the line number padded to
  // 4, ": ", the rejection message and an empty line.
  void expectOneRejectionLine() const {
    const std::vector<LogLine> lines = log_.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, krlog::err);
    std::smatch number;
    ASSERT_TRUE(std::regex_search(lines[0].text, number, std::regex("^tprf_config\\.cpp *:([0-9]+)")))
        << lines[0].text;
    std::string paddedNumber = number[1];
    if (paddedNumber.size() < 4) paddedNumber.append(4 - paddedNumber.size(), ' ');
    EXPECT_EQ(lines[0].text,
              "tprf_config.cpp          :" + paddedNumber + ": " + GetParam().rejectionMessage + "\n\n");
  }

  QuayLog log_;
};

TEST_P(ImageEntryPointTest, SizeQueryReportsTheSizeWhateverBytesAllocatedHolds) {
  for (size_t bytesAllocated :
       {size_t{0}, size_t{1}, expected().size() - 1, std::numeric_limits<size_t>::max()}) {
    ImageRequest request;
    request.bytesAllocated = bytesAllocated;
    request.bytesCopied = kUnchangedBytesCopied;
    EXPECT_EQ(call(&request), TPRA_STATUS_SUCCESS) << "bytesAllocated " << bytesAllocated;
    EXPECT_EQ(request.bytesCopied, expected().size()) << "bytesAllocated " << bytesAllocated;
  }
  EXPECT_TRUE(log_.lines().empty());
}

TEST_P(ImageEntryPointTest, CopyIntoExactSizeWritesTheImageAndKeepsBytesCopied) {
  std::vector<uint8_t> buffer(expected().size(), kFill);
  ImageRequest request = copyInto(buffer, buffer.size());
  EXPECT_EQ(call(&request), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(hexOf(buffer), hexOf(expected()));
  EXPECT_EQ(request.bytesCopied, kUnchangedBytesCopied);
  EXPECT_TRUE(log_.lines().empty());
}

TEST_P(ImageEntryPointTest, CopyIntoLargerBufferLeavesTheTailAsItWas) {
  std::vector<uint8_t> buffer(100, kFill);
  ImageRequest request = copyInto(buffer, buffer.size());
  EXPECT_EQ(call(&request), TPRA_STATUS_SUCCESS);
  std::vector<uint8_t> want = expected();
  want.resize(buffer.size(), kFill);
  EXPECT_EQ(hexOf(buffer), hexOf(want));
  EXPECT_EQ(request.bytesCopied, kUnchangedBytesCopied);
}

TEST_P(ImageEntryPointTest, SameImageForEveryHandleAndEveryCall) {
  for (uintptr_t handle : {uintptr_t{0}, kSomeHandle, uintptr_t{0}, kSomeHandle}) {
    ImageRequest query;
    query.handle = handle;
    ASSERT_EQ(call(&query), TPRA_STATUS_SUCCESS);
    EXPECT_EQ(query.bytesCopied, expected().size()) << "handle " << handle;

    std::vector<uint8_t> buffer(expected().size(), kFill);
    ImageRequest copy = copyInto(buffer, buffer.size());
    copy.handle = handle;
    ASSERT_EQ(call(&copy), TPRA_STATUS_SUCCESS);
    EXPECT_EQ(hexOf(buffer), hexOf(expected())) << "handle " << handle;
  }
}

TEST_P(ImageEntryPointTest, TooSmallBufferIsRejectedWithOneLineAndNothingWritten) {
  for (size_t bytesAllocated : {expected().size() - 1, size_t{0}}) {
    SCOPED_TRACE("bytesAllocated " + std::to_string(bytesAllocated));
    log_.clear();
    std::vector<uint8_t> buffer(100, kFill);
    const ImageRequest before = copyInto(buffer, bytesAllocated);
    ImageRequest request = before;
    EXPECT_EQ(call(&request), TPRA_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(buffer, std::vector<uint8_t>(100, kFill));
    EXPECT_TRUE(request == before) << "the block was written";
    expectOneRejectionLine();
  }
}

TEST_P(ImageEntryPointTest, NullBlockIsRejectedWithOneLine) {
  EXPECT_EQ(call(nullptr), TPRA_STATUS_INVALID_ARGUMENT);
  expectOneRejectionLine();
}

// The line depends on the level test, the status does not.
TEST_P(ImageEntryPointTest, RejectionWritesNoLineWhenErrIsNotLetThrough) {
  for (krlog::krLevel_enum level : {krlog::critical, krlog::off}) {
    SCOPED_TRACE("level " + std::to_string(level));
    log_.setLevel(level);
    std::vector<uint8_t> buffer(100, kFill);
    ImageRequest request = copyInto(buffer, expected().size() - 1);
    EXPECT_EQ(call(&request), TPRA_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(buffer, std::vector<uint8_t>(100, kFill));
    EXPECT_EQ(call(nullptr), TPRA_STATUS_INVALID_ARGUMENT);
    EXPECT_TRUE(log_.lines().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothImages, ImageEntryPointTest, testing::ValuesIn(kImageCases),
                         [](const testing::TestParamInfo<ImageCase>& caseInfo) {
                           return std::string(caseInfo.param.entryPoint->name);
                         });

} // namespace
} // namespace krprof_test
