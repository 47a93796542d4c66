// Evaluations that succeed: the total of the readings of an image's first
// range, however the image is encoded, stored as a double.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_name.h"
#include "evaluation_harness.h"

namespace krprof_test {
namespace {

constexpr uint64_t kMaxReading = UINT64_MAX;
constexpr uint64_t k2To53 = uint64_t{1} << 53;
constexpr uint64_t k2To63 = uint64_t{1} << 63;

// One DPC, one instance, events 9 and 10: reading count 2, total 300.
const GroupImage kPair{6, {9, 10}, 1, 1, {100, 200}};

std::vector<uint64_t> oneTo(uint64_t last) {
  std::vector<uint64_t> readings;
  for (uint64_t reading = 1; reading <= last; ++reading) readings.push_back(reading);
  return readings;
}

Bytes imageOfRanges(std::vector<RangeImage> ranges) {
  return CounterDataImage{0, 0, 0, {}, std::move(ranges)}.encode().bytes();
}

// A group with readings of count 1 (one DPC, one instance, one event).
GroupImage single(std::vector<uint64_t> readings) {
  return GroupImage{6, {9}, 1, 1, std::move(readings)};
}

// A group with `count` readings, all of one DPC and one event.
GroupImage instances(uint32_t count, std::vector<uint64_t> readings) {
  return GroupImage{6, {9}, 1, count, std::move(readings)};
}

struct TotalCase {
  std::string name;
  Bytes image;
  double expected;
  friend void PrintTo(const TotalCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationTotalTest : public testing::TestWithParam<TotalCase> {};

TEST_P(EvaluationTotalTest, StoresTheTotalOfTheFirstRange) {
  QuayLog log;
  log.setLevel(krlog::verbose);
  Evaluation call(GetParam().image);

  EXPECT_EQ(call.run(), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(call.values[0], GetParam().expected);
  EXPECT_TRUE(messagesOf(log).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, EvaluationTotalTest,
    testing::Values(
        TotalCase{"DpcsTimesInstancesTimesEvents", imageOf({GroupImage{6, {9, 10}, 2, 3, oneTo(12)}}), 78.0},
        TotalCase{"ReadingsBeyondCountIgnored", imageOf({GroupImage{6, {9, 10}, 2, 3, oneTo(14)}}), 78.0},
        TotalCase{"ReadingBeyondCountNeverAdded", imageOf({single({5, kMaxReading})}), 5.0},
        TotalCase{"ZeroDpcNumContributesNothing", imageOf({GroupImage{6, {9, 10}, 0, 3, {5, 6}}, kPair}),
                  300.0},
        TotalCase{"ZeroInstanceNumContributesNothing", imageOf({GroupImage{6, {9, 10}, 2, 0, {5, 6}}, kPair}),
                  300.0},
        TotalCase{"NoEventIdContributesNothing", imageOf({GroupImage{6, {}, 2, 3, {5, 6}}, kPair}), 300.0},
        TotalCase{"TwoGroupsOneTotal", imageOf({kPair, instances(2, {5, 7})}), 312.0},
        TotalCase{"SecondRangeIgnored",
                  imageOfRanges({RangeImage{{}, {kPair}},
                                 RangeImage{{}, {GroupImage{6, {9, 10}, 1, 1, {1000, 2000}}}}}),
                  300.0},
        TotalCase{
            "LaterRangeMayLackReadings",
            imageOfRanges({RangeImage{{}, {kPair}}, RangeImage{{}, {GroupImage{6, {9, 10}, 4, 4, {}}}}}),
            300.0},
        TotalCase{"EmptyFirstRange", imageOfRanges({RangeImage{}, RangeImage{{}, {kPair}}}), 0.0},
        TotalCase{
            "UnreadFieldsDoNotMatter",
            CounterDataImage{
                7, 9, 32, "KR-chip", {RangeImage{"range 0", {GroupImage{99, {1, 2}, 1, 1, {100, 200}}}}}}
                .encode()
                .bytes(),
            300.0},
        // The count is a 32-bit product: 0x80000001 * 2 wraps to 2, and
        // 65536 * 65536 wraps to 0, so that group needs no readings at all.
        TotalCase{"ReadingCountWrapsAt32Bits", imageOf({GroupImage{6, {9}, 0x80000001u, 2, {100, 200}}}),
                  300.0},
        TotalCase{"ReadingCountWrapsToZero", imageOf({GroupImage{6, {9}, 65536, 65536, {}}, kPair}), 300.0}),
    CaseName());

// The total is an unsigned 64-bit integer, converted to the nearest double
// once, with ties going to the even significand. Doubles are 2 apart in
// [2^53, 2^54) and 4 apart in [2^54, 2^55).
INSTANTIATE_TEST_SUITE_P(
    Conversion, EvaluationTotalTest,
    testing::Values(
        TotalCase{"SummedAsIntegers", imageOf({instances(3, {k2To53, 1, 1})}), 0x1p53 + 2},
        TotalCase{"TieBelowGoesToEven", imageOf({instances(2, {k2To53, 1})}), 0x1p53},
        TotalCase{"TieAboveGoesToEven", imageOf({instances(2, {k2To53, 3})}), 0x1p53 + 4},
        TotalCase{"TieInWiderSpacing", imageOf({instances(2, {uint64_t{1} << 54, 2})}), 0x1p54},
        TotalCase{"NearestAboveTwoTo54", imageOf({instances(2, {uint64_t{1} << 54, 3})}), 0x1p54 + 4},
        TotalCase{"TopBitSet", imageOf({single({k2To63})}), 0x1p63},
        TotalCase{"LargestTotalWithoutCarry", imageOf({instances(2, {kMaxReading - 1, 1})}), 0x1p64}),
    CaseName());

// The group image of 300 written in the ways a parser has to accept besides
// the canonical form.
WireMessage pairFields() {
  return WireMessage()
      .varint(field::group::kDomainId, 6)
      .packed(field::group::kEventId, {9, 10})
      .varint(field::group::kDpcNum, 1)
      .varint(field::group::kInstanceNum, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EvaluationTotalTest,
    testing::Values(TotalCase{"UnpackedLists",
                              imageOfRawGroup(WireMessage()
                                                  .varint(field::group::kDomainId, 6)
                                                  .unpacked(field::group::kEventId, {9, 10})
                                                  .varint(field::group::kDpcNum, 1)
                                                  .varint(field::group::kInstanceNum, 1)
                                                  .unpacked(field::group::kValue, {100, 200})),
                              300.0},
                    TotalCase{"PackedRunThenSingleEventId",
                              imageOfRawGroup(WireMessage()
                                                  .packed(field::group::kEventId, {9})
                                                  .varint(field::group::kEventId, 10)
                                                  .varint(field::group::kDpcNum, 1)
                                                  .varint(field::group::kInstanceNum, 1)
                                                  .packed(field::group::kValue, {100, 200})),
                              300.0},
                    TotalCase{"ReadingsInSeveralRunsAndSingles",
                              imageOfRawGroup(WireMessage()
                                                  .packed(field::group::kEventId, {9, 10, 11})
                                                  .varint(field::group::kDpcNum, 1)
                                                  .varint(field::group::kInstanceNum, 1)
                                                  .packed(field::group::kValue, {100})
                                                  .varint(field::group::kValue, 200)
                                                  .packed(field::group::kValue, {400, 800})),
                              700.0},
                    TotalCase{"FieldsInAnyOrder",
                              WireMessage()
                                  .message(field::image::kRangeDataImages,
                                           WireMessage()
                                               .message(field::range::kEventGroupDataImage,
                                                        WireMessage()
                                                            .packed(field::group::kValue, {100, 200})
                                                            .varint(field::group::kInstanceNum, 1)
                                                            .varint(field::group::kEventId, 9)
                                                            .varint(field::group::kDpcNum, 1)
                                                            .varint(field::group::kDomainId, 6)
                                                            .varint(field::group::kEventId, 10))
                                               .string(field::range::kRangeName, "first"))
                                  .varint(field::image::kMaxNumRanges, 1)
                                  .string(field::image::kChipName, "KR-chip")
                                  .bytes(),
                              300.0},
                    TotalCase{"LastOfRepeatedSingularWins",
                              imageOfRawGroup(WireMessage()
                                                  .packed(field::group::kEventId, {9, 10})
                                                  .varint(field::group::kDpcNum, 3)
                                                  .varint(field::group::kInstanceNum, 4)
                                                  .packed(field::group::kValue, {100, 200, 400, 800})
                                                  .varint(field::group::kDpcNum, 1)
                                                  .varint(field::group::kInstanceNum, 1)),
                              300.0},
                    // A uint32 field read from a wider varint keeps its low 32 bits:
                    // 2^32 + 2 acts as 2, and the 10-byte 2^63 + 1 as 1.
                    TotalCase{"WideVarintsKeepLow32Bits",
                              imageOfRawGroup(WireMessage()
                                                  .packed(field::group::kEventId, {9})
                                                  .varint(field::group::kDpcNum, (uint64_t{1} << 32) + 2)
                                                  .varint(field::group::kInstanceNum, k2To63 + 1)
                                                  .packed(field::group::kValue, {100, 200, 400})),
                              300.0},
                    TotalCase{"UnknownFieldsIgnored",
                              WireMessage()
                                  .varint(6, 1)
                                  .message(field::image::kRangeDataImages,
                                           WireMessage().varint(3, 8).message(
                                               field::range::kEventGroupDataImage,
                                               pairFields()
                                                   .varint(1, 5)
                                                   .fixed64(7, 1000)
                                                   .fixed32(8, 1000)
                                                   .string(9, "readings")
                                                   .varint(536870911, 1000)
                                                   .packed(field::group::kValue, {100, 200})))
                                  .string(15, "trailer")
                                  .bytes(),
                              300.0},
                    // A known field number with another wire type than the schema's is an
                    // unknown field: it neither counts as an event, nor sets dpcNum, nor
                    // is it a reading.
                    TotalCase{"WrongWireTypesIgnored",
                              WireMessage()
                                  .varint(field::image::kRangeDataImages, 3)
                                  .message(field::image::kRangeDataImages,
                                           WireMessage()
                                               .varint(field::range::kRangeName, 1)
                                               .varint(field::range::kEventGroupDataImage, 2)
                                               .message(field::range::kEventGroupDataImage,
                                                        WireMessage()
                                                            .fixed64(field::group::kValue, 1000)
                                                            .raw(pairFields().bytes())
                                                            .fixed32(field::group::kEventId, 11)
                                                            .string(field::group::kDpcNum, "\x05")
                                                            .packed(field::group::kValue, {100, 200})))
                                  .bytes(),
                              300.0}),
    CaseName());

struct OverflowCase {
  std::string name;
  Bytes image;
  double expected;
  size_t carries;
  friend void PrintTo(const OverflowCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationOverflowTest : public testing::TestWithParam<OverflowCase> {};

// Every addition that carries past 2^64 - 1 writes one warning; the total
// wraps and the evaluation goes on.
TEST_P(EvaluationOverflowTest, WarnsOncePerCarryAndWraps) {
  QuayLog log;
  log.setLevel(krlog::warn);
  Evaluation call(GetParam().image);

  EXPECT_EQ(call.run(), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(call.values[0], GetParam().expected);
  EXPECT_EQ(messagesOf(log), repeated({krlog::warn, kValueOverflow}, GetParam().carries));
}

INSTANTIATE_TEST_SUITE_P(
    Wrap, EvaluationOverflowTest,
    testing::Values(OverflowCase{"OneCarry", imageOf({instances(2, {kMaxReading, 2})}), 1.0, 1},
                    // 2^63 + 2^63 wraps to 0 in the first group; the second
                    // goes on from 0 and wraps once more before adding 7.
                    OverflowCase{"CarryPerAdditionAcrossGroups",
                                 imageOf({instances(2, {k2To63, k2To63}), instances(3, {k2To63, k2To63, 7})}),
                                 7.0, 2}),
    CaseName());

struct RequestCase {
  std::string name;
  size_t numMetricEvalRequests;
  size_t rangeIndex;
  TPRA_Bool isolated;
  friend void PrintTo(const RequestCase& tested, std::ostream* out) { *out << tested.name; }
};

class EvaluationRequestTest : public testing::TestWithParam<RequestCase> {};

// Only the first result slot is written, whatever the block asks for; the
// request list, rangeIndex and isolated are not read.
TEST_P(EvaluationRequestTest, WritesTheFirstSlotOnly) {
  const TPRF_MetricEvalRequest requests[5] = {
      {7, 1, 2, 3}, {8, 1, 2, 3}, {9, 1, 2, 3}, {10, 1, 2, 3}, {11, 1, 2, 3}};
  Evaluation call(imageOfRanges({RangeImage{{}, {kPair}}, RangeImage{{}, {single({3000})}}}));
  call.params.structSize = 0;
  call.params.pMetricEvalRequests = requests;
  call.params.numMetricEvalRequests = GetParam().numMetricEvalRequests;
  call.params.metricEvalRequestStructSize = sizeof(TPRF_MetricEvalRequest);
  call.params.metricEvalRequestStrideSize = sizeof(TPRF_MetricEvalRequest);
  call.params.rangeIndex = GetParam().rangeIndex;
  call.params.isolated = GetParam().isolated;

  EXPECT_EQ(call.run(), TPRA_STATUS_SUCCESS);
  std::array<double, Evaluation::kValueSlots> expected = Evaluation::untouchedValues();
  expected[0] = 300.0;
  EXPECT_EQ(call.values, expected);
}

INSTANTIATE_TEST_SUITE_P(Block, EvaluationRequestTest,
                         testing::Values(RequestCase{"NoRequest", 0, 0, 0},
                                         RequestCase{"FiveRequests", 5, 0, 0},
                                         RequestCase{"SecondRangeAsked", 1, 1, 1},
                                         RequestCase{"RangeIndexPastTheRanges", 5, 99, 1}),
                         CaseName());

} // namespace
} // namespace krprof_test
