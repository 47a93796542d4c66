// Evaluations that are refused: a wrong block, bytes that do not decode, and
// images that decode but lack their range or readings. Each writes one line
// and nothing else.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "case_name.h"
#include "evaluation_harness.h"

namespace krprof_test {
namespace {

using Params = TPRF_MetricsEvaluator_EvaluateToGpuValues_Params;

// The 19-byte image of one range and one group, total 300.
const Bytes kValidImage = imageOf({GroupImage{6, {9, 10}, 1, 1, {100, 200}}});

Bytes followedBy(Bytes image, const Bytes& tail) {
  image.insert(image.end(), tail.begin(), tail.end());
  return image;
}

TEST(EvaluationArguments, NullBlockIsRejected) {
  QuayLog log;
  log.setLevel(krlog::verbose);

  EXPECT_EQ(TPRF_MetricsEvaluator_EvaluateToGpuValues(nullptr), TPRA_STATUS_INVALID_ARGUMENT);
  EXPECT_EQ(messagesOf(log), (std::vector<LoggedMessage>{{krlog::err, kParameterWrong}}));
}

struct ArgumentCase {
  std::string name;
  std::function<void(Params&)> spoil;
  friend void PrintTo(const ArgumentCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationArgumentTest : public testing::TestWithParam<ArgumentCase> {};

// The image is a valid 19-byte one in a buffer of exactly 19 bytes, so an
// oversized length is caught only if it is refused before any byte is read.
TEST_P(EvaluationArgumentTest, IsRejectedBeforeTheImageIsRead) {
  QuayLog log;
  log.setLevel(krlog::verbose);
  Evaluation call(kValidImage);
  GetParam().spoil(call.params);

  EXPECT_EQ(call.run(), TPRA_STATUS_INVALID_ARGUMENT);
  EXPECT_EQ(messagesOf(log), (std::vector<LoggedMessage>{{krlog::err, kParameterWrong}}));
  EXPECT_EQ(call.values, Evaluation::untouchedValues());
}

INSTANTIATE_TEST_SUITE_P(
    Block, EvaluationArgumentTest,
    testing::Values(
        ArgumentCase{"NullImage", [](Params& params) { params.pCounterDataImage = nullptr; }},
        ArgumentCase{"NullImageOfZeroBytes",
                     [](Params& params) {
                       params.pCounterDataImage = nullptr;
                       params.counterDataImageSize = 0;
                     }},
        ArgumentCase{"NullResults", [](Params& params) { params.pMetricValues = nullptr; }},
        ArgumentCase{"SizeTwoTo31", [](Params& params) { params.counterDataImageSize = size_t{1} << 31; }},
        // Cut to 32 bits this would be 19, the image's true length.
        ArgumentCase{"SizeTwoTo32Plus19",
                     [](Params& params) { params.counterDataImageSize = (size_t{1} << 32) + 19; }},
        ArgumentCase{"LargestSize", [](Params& params) { params.counterDataImageSize = SIZE_MAX; }}),
    CaseName());

struct ImageCase {
  std::string name;
  Bytes image;
  friend void PrintTo(const ImageCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationImageFailureTest : public testing::TestWithParam<ImageCase> {};

TEST_P(EvaluationImageFailureTest, FailsWithTheFailureLineAlone) {
  QuayLog log;
  log.setLevel(krlog::verbose);
  Evaluation call(GetParam().image);

  EXPECT_EQ(call.run(), TPRA_STATUS_INTERNAL_ERROR);
  EXPECT_EQ(messagesOf(log), (std::vector<LoggedMessage>{{krlog::err, call.failureMessage()}}));
  EXPECT_EQ(call.values, Evaluation::untouchedValues());
}

Bytes endGroupTag() {
  Bytes tag;
  appendTag(tag, 1, WireType::kEndGroup);
  return tag;
}

// Bytes that do not decode, at the root and nested, in fields the evaluation
// reads and in fields and ranges it never reads.
INSTANTIATE_TEST_SUITE_P(
    Malformed, EvaluationImageFailureTest,
    testing::Values(
        ImageCase{"TagWithoutValue", {0x08}}, ImageCase{"TruncatedVarint", {0x08, 0x80}},
        ImageCase{"TruncatedTag", {0x80}}, ImageCase{"TruncatedLength", {0x2a, 0x80}},
        ImageCase{"LengthPastTheEnd", {0x2a, 0x05, 0x12, 0x00}},
        ImageCase{"HugeLength", {0x2a, 0xff, 0xff, 0xff, 0xff, 0x0f}},
        // The group claims 4 bytes, the range holding it only 2 more; the
        // image itself has enough bytes after the range.
        ImageCase{"LengthPastTheEnclosingMessage", {0x2a, 0x04, 0x12, 0x04, 0x10, 0x06, 0x08, 0x01}},
        // An unknown varint of the range that would go on past its end.
        ImageCase{"VarintAcrossTheEnclosingEnd", {0x2a, 0x02, 0x08, 0x80, 0x01}},
        ImageCase{"VarintOfElevenBytes",
                  {0x08, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x01}},
        ImageCase{"DpcNumOfElevenBytes",
                  imageOfRawGroup(WireMessage().raw({0x20, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                                     0xff, 0xff, 0x01}))},
        ImageCase{"TruncatedPackedReading", imageOfRawGroup(WireMessage().raw({0x32, 0x02, 0x64, 0xc8}))},
        ImageCase{"EndGroupTagAtTheRoot", endGroupTag()},
        ImageCase{"EndGroupTagInAGroup", imageOfRawGroup(WireMessage().raw(endGroupTag()))},
        ImageCase{"TagZero", {0x00, 0x00}}, ImageCase{"TagZeroInARange", {0x2a, 0x02, 0x00, 0x00}},
        ImageCase{"RangeNameNotUtf8", {0x2a, 0x03, 0x0a, 0x01, 0xff}},
        ImageCase{"ChipNameNotUtf8", followedBy(kValidImage, {0x22, 0x01, 0xff})},
        ImageCase{"SecondRangeTruncated", followedBy(kValidImage, {0x2a, 0x01, 0x08})},
        ImageCase{"SecondRangeNameNotUtf8", followedBy(kValidImage, {0x2a, 0x03, 0x0a, 0x01, 0xff})},
        ImageCase{"UnknownFixed64Truncated", followedBy(kValidImage, {0x31, 0x01})}),
    CaseName());

// Images that decode but lack what the evaluation needs: a range, or in a
// group of the first range as many readings as its count. They are refused
// before any reading is added, so no overflow warning comes first.
INSTANTIATE_TEST_SUITE_P(
    MissingReadings, EvaluationImageFailureTest,
    testing::Values(ImageCase{"ZeroBytes", {}}, ImageCase{"NoRange", {0x08, 0x01}},
                    ImageCase{"ChipNameOnly", CounterDataImage{0, 0, 0, "KR-chip", {}}.encode().bytes()},
                    ImageCase{"FewerReadingsThanCount",
                              imageOf({GroupImage{6, {9, 10}, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}})},
                    ImageCase{"NoReadings", imageOf({GroupImage{6, {9}, 1, 1, {}}})},
                    ImageCase{"WrappedCountStillShort", imageOf({GroupImage{6, {9}, 0x80000001u, 2, {100}}})},
                    ImageCase{"ShortGroupAfterACarry", imageOf({GroupImage{6, {9, 10}, 1, 1, {UINT64_MAX, 2}},
                                                                GroupImage{6, {9}, 2, 1, {5}}})}),
    CaseName());

} // namespace
} // namespace krprof_test
