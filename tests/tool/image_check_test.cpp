// The explanations of `krprof check`: the rule, offset and path that the walk
// of the bytes finds for malformed counter-data images, the warnings for
// accepted ones, and the differences from the library's fixed images. Each
// expected finding is worked out from the wire format by hand; the library's
// verdict on each image is checked alongside.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "case_name.h"
#include "counter_data_encoder.h"
#include "expected_images.h"
#include "hex_bytes.h"
#include "image_check.h"
#include "library_verdict.h"
#include "wire_walk.h"

namespace krprof_test {
namespace {

using krprof_tool::Finding;

const krprof_tool::SchemaPool& pool() {
  static const krprof_tool::SchemaPool instance;
  return instance;
}

const krprof_tool::EventGroupRequest kMeasurement{6, {9, 10}};

std::string repeated(const std::string& text, int times, const std::string& separator = "") {
  std::string result;
  for (int i = 0; i < times; ++i) result += (i == 0 ? "" : separator) + text;
  return result;
}

struct Expected {
  uint64_t offset;
  std::string path;
  std::string rule;
};

void expectFindings(const std::vector<Finding>& found, const std::vector<Expected>& expected) {
  ASSERT_EQ(found.size(), expected.size());
  for (size_t i = 0; i < found.size(); ++i) {
    SCOPED_TRACE("finding " + std::to_string(i) + ": " + found[i].detail);
    EXPECT_EQ(found[i].rule, expected[i].rule);
    EXPECT_EQ(found[i].offset, expected[i].offset);
    EXPECT_EQ(found[i].path, expected[i].path);
    EXPECT_FALSE(found[i].detail.empty());
  }
}

// --- Rejected images: one rule each -------------------------------------------

struct RejectedCase {
  std::string name;
  std::vector<uint8_t> image;
  std::vector<Expected> problems;
};

const std::string kGroup0 = "rangeDataImages[0].EventGroupDataImage[0]";

// 99 groups of field 7 (start tag 3b, end tag 3c) inside the first group
// image: with the range and the group image that is 101 levels below the
// root. The range 2a c9 01 (length 201) holds 12 c6 01 (length 198), whose
// content starts at offset 6; the 99th start tag is at offset 6 + 98 = 104.
std::vector<uint8_t> nestedGroups(int depth) {
  std::vector<uint8_t> groups(depth, 0x3b);
  groups.insert(groups.end(), depth, 0x3c);
  return imageOfRawGroup(WireMessage().raw(groups));
}

const RejectedCase kRejectedCases[] = {
    // A tag cut short: 80 announces a second byte.
    {"TagTruncatedAtRoot", bytesFromHex("80"), {{0, "", "truncated"}}},
    {"TagTruncatedInGroup", bytesFromHex("2a 03 12 01 80"), {{4, kGroup0, "truncated"}}},
    // dpcNum's varint 80 01 runs past the group's length of 2.
    {"VarintPastItsMessage", bytesFromHex("2a 05 12 02 20 80 01"), {{4, kGroup0 + ".dpcNum", "truncated"}}},
    {"VarintTruncatedAtEnd", bytesFromHex("08 80"), {{0, "maxNumRanges", "truncated"}}},
    // The packed value list 64 c8 ends inside its second element.
    {"PackedListTruncated", bytesFromHex("2a 06 12 04 32 02 64 c8"), {{4, kGroup0 + ".value", "truncated"}}},
    {"Fixed64Truncated", bytesFromHex("39 01 02 03"), {{0, "7", "truncated"}}},
    // Eleven varint bytes, ten of them announcing another.
    {"VarintOfElevenBytes",
     bytesFromHex("08 ff ff ff ff ff ff ff ff ff ff 01"),
     {{0, "maxNumRanges", "bad-varint"}}},
    // The parser reads a tag, and a length, in at most five bytes.
    {"TagOfSixBytes", bytesFromHex("88 80 80 80 80 00"), {{0, "", "bad-varint"}}},
    {"LengthOfSixBytes", bytesFromHex("2a 80 80 80 80 80 00"), {{0, "rangeDataImages[0]", "bad-varint"}}},
    // 26: field 4 with wire type 6; 0f: field 1 with wire type 7.
    {"WireType6", bytesFromHex("2a 03 12 01 26"), {{4, kGroup0 + ".dpcNum", "bad-wire-type"}}},
    {"WireType7", bytesFromHex("0f"), {{0, "maxNumRanges", "bad-wire-type"}}},
    {"TagZero", bytesFromHex("2a 01 00"), {{2, "rangeDataImages[0].0", "bad-field-number"}}},
    {"FieldZeroLengthDelimited", bytesFromHex("02 00"), {{0, "0", "bad-field-number"}}},
    // The range announces 5 bytes where 2 follow; it is named, not the
    // truncated tag inside it.
    {"RangeLengthOverrun", bytesFromHex("2a 05 12 01 80"), {{0, "rangeDataImages[0]", "length-overrun"}}},
    {"GroupLengthOverrun", bytesFromHex("2a 02 12 05"), {{2, kGroup0, "length-overrun"}}},
    {"StringLengthOverrun", bytesFromHex("22 05 61"), {{0, "chipName", "length-overrun"}}},
    {"PackedLengthOverrun", bytesFromHex("2a 04 12 02 32 04"), {{4, kGroup0 + ".value", "length-overrun"}}},
    // 0c: the end of group 1 where no group is open; 3b 44: group 7 closed
    // by the end of group 8; 3b alone: group 7 never closed.
    {"EndGroupWithoutStart", bytesFromHex("0c"), {{0, "maxNumRanges", "unmatched-group"}}},
    {"EndGroupOfAnother", bytesFromHex("3b 44"), {{1, "7.8", "unmatched-group"}}},
    {"GroupNotClosed", bytesFromHex("2a 01 3b"), {{2, "rangeDataImages[0].7", "unmatched-group"}}},
    {"GroupsTooDeepAtRoot",
     bytesFromHex(repeated("3b", 101) + repeated("3c", 101)),
     {{100, repeated("7", 101, "."), "recursion-limit"}}},
    {"GroupsTooDeepInGroupImage",
     nestedGroups(99),
     {{104, kGroup0 + "." + repeated("7", 99, "."), "recursion-limit"}}},
    {"RangeNameNotUtf8",
     bytesFromHex("2a 03 0a 01 ff"),
     {{2, "rangeDataImages[0].rangeName", "invalid-utf8"}}},
    // c3 28: a lead byte followed by no continuation byte.
    {"ChipNameNotUtf8", bytesFromHex("22 02 c3 28"), {{0, "chipName", "invalid-utf8"}}},
    {"Empty", {}, {{0, "rangeDataImages", "no-range"}}},
    {"OnlyMaxNumRanges", bytesFromHex("08 05"), {{0, "rangeDataImages", "no-range"}}},
    // eventId [9, 10], dpcNum 2, instanceNum 1: 4 readings, 3 values.
    {"ShortValueList",
     bytesFromHex("2a 0f 12 0d 1a 02 09 0a 20 02 28 01 32 03 01 02 03"),
     {{2, kGroup0, "short-value-list"}}},
    // An empty first group (12 00, reading count 0) before one with eventId
    // 9, dpcNum 1, instanceNum 1 and no value at offset 4.
    {"SecondGroupShort",
     bytesFromHex("2a 0a 12 00 12 06 18 09 20 01 28 01"),
     {{4, "rangeDataImages[0].EventGroupDataImage[1]", "short-value-list"}}},
    // Two such groups, of 8 bytes each, reported in order.
    {"TwoGroupsShort",
     bytesFromHex("2a 10 12 06 18 09 20 01 28 01 12 06 18 09 20 01 28 01"),
     {{2, kGroup0, "short-value-list"},
      {10, "rangeDataImages[0].EventGroupDataImage[1]", "short-value-list"}}},
};

// Cases print as their names in test listings.
void PrintTo(const RejectedCase& tested, std::ostream* out) {
  *out << tested.name;
}

class RejectedImageTest : public testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedImageTest, ExplainsTheRuleWhereTheLibraryRejects) {
  const RejectedCase& tested = GetParam();
  EXPECT_EQ(libraryStatus(tested.image), TPRA_STATUS_INTERNAL_ERROR);
  expectFindings(krprof_tool::counterDataProblems(pool(), tested.image), tested.problems);
}

INSTANTIATE_TEST_SUITE_P(Rules, RejectedImageTest, testing::ValuesIn(kRejectedCases), CaseName());

TEST(RejectedImageTest, ShortValueListNamesTheCountAndTheValues) {
  const std::vector<Finding> problems = krprof_tool::counterDataProblems(
      pool(), bytesFromHex("2a 0f 12 0d 1a 02 09 0a 20 02 28 01 32 03 01 02 03"));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].detail, "reading count dpcNum 2 x instanceNum 1 x 2 eventIds = 4, but value holds 3");
}

TEST(RejectedImageTest, InvalidUtf8NamesTheFieldAsProtobufDoes) {
  const std::vector<Finding> problems =
      krprof_tool::counterDataProblems(pool(), bytesFromHex("2a 03 0a 01 ff"));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].detail.find("tprf.pbRangeDataImage.rangeName"), std::string::npos)
      << problems[0].detail;
}

TEST(RejectedImageTest, TooLargeIsFoundFromTheSizeAlone) {
  const uint8_t oneByte = 0x08;
  const krprof_tool::WireWalk walk =
      krprof_tool::walkWire(pool().messageType("tprf.pbCounterDataImage"), &oneByte, size_t{1} << 31);
  ASSERT_TRUE(walk.malformed.has_value());
  EXPECT_EQ(walk.malformed->rule, "too-large");
}

// --- Limits the parser accepts ---------------------------------------------------

struct AcceptedCase {
  std::string name;
  std::vector<uint8_t> image;
};

const AcceptedCase kAcceptedAtTheLimits[] = {
    // A ten-byte varint whose last byte sets bits above 64.
    {"VarintOfTenBytes", bytesFromHex("08 ff ff ff ff ff ff ff ff ff 7f 2a 00")},
    // A five-byte tag for field 1 (08 written as 88 80 80 80 00).
    {"TagOfFiveBytes", bytesFromHex("88 80 80 80 00 05 2a 00")},
    {"GroupsAtTheLimit", bytesFromHex(repeated("3b", 100) + repeated("3c", 100) + "2a 00")},
    {"UnknownFieldsOfEveryWireType",
     bytesFromHex("39 01 02 03 04 05 06 07 08 3d 01 02 03 04 42 01 ff 3b 3c 2a 00")},
    // rangeDataImages as a varint is an unknown field, then a real range.
    {"KnownFieldWithAnotherWireType", bytesFromHex("28 01 2a 00")},
};

// Cases print as their names in test listings.
void PrintTo(const AcceptedCase& tested, std::ostream* out) {
  *out << tested.name;
}

class AcceptedAtTheLimitsTest : public testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedAtTheLimitsTest, TheWalkFindsNothingWhereTheLibraryAccepts) {
  const AcceptedCase& tested = GetParam();
  EXPECT_EQ(libraryStatus(tested.image), TPRA_STATUS_SUCCESS);
  EXPECT_TRUE(krprof_tool::counterDataProblems(pool(), tested.image).empty());
}

INSTANTIATE_TEST_SUITE_P(Limits, AcceptedAtTheLimitsTest, testing::ValuesIn(kAcceptedAtTheLimits),
                         CaseName());

// --- Accepted images: one warning each -------------------------------------------

struct WarningCase {
  std::string name;
  std::vector<uint8_t> image;
  double total; // as the library stores it
  std::vector<Expected> warnings;
};

constexpr uint64_t kMax64 = UINT64_MAX;
constexpr uint64_t k2To53 = uint64_t{1} << 53;

// The first group of an image of one range starts after 2a and the range's
// one-byte length, at offset 2.
const WarningCase kWarningCases[] = {
    {"MeasurementGroup", kOneGroupCounterDataImage, 300.0, {}},
    {"ExtraValues", imageOf({{6, {9, 10}, 1, 1, {100, 200, 300}}}), 300.0, {{2, kGroup0, "extra-values"}}},
    // 65536 x 65536 x 2 = 2^33, which is 0 in 32 bits: no reading is added.
    {"CountWraps",
     imageOf({{6, {9, 10}, 65536, 65536, {5}}}),
     0.0,
     {{2, kGroup0, "count-wraps"}, {2, kGroup0, "extra-values"}}},
    // 2^64 - 1 + 2 wraps to 1 at the second reading.
    {"ValueOverflow",
     imageOf({{6, {9, 10}, 1, 1, {kMax64, 2}}}),
     1.0,
     {{2, kGroup0 + ".value[1]", "value-overflow"}}},
    {"TotalAbove2To53",
     imageOf({{6, {9, 10}, 1, 1, {k2To53, 1}}}),
     9007199254740992.0,
     {{0, "", "inexact-total"}}},
    {"ForeignDomain", imageOf({{7, {9, 10}, 1, 1, {1, 2}}}), 3.0, {{2, kGroup0, "foreign-group"}}},
    {"ForeignEventId", imageOf({{6, {9, 11}, 1, 1, {1, 2}}}), 3.0, {{2, kGroup0, "foreign-group"}}},
    // Two ranges of one empty group each: 2a 02 12 00 twice.
    {"SecondRange",
     bytesFromHex("2a 02 12 00 2a 02 12 00"),
     0.0,
     {{2, kGroup0, "foreign-group"}, {4, "rangeDataImages[1]", "ranges-ignored"}}},
};

// Cases print as their names in test listings.
void PrintTo(const WarningCase& tested, std::ostream* out) {
  *out << tested.name;
}

class WarningTest : public testing::TestWithParam<WarningCase> {};

TEST_P(WarningTest, WarnsOfWhatTheLibrarySumsSilently) {
  const WarningCase& tested = GetParam();
  double total = -1.0;
  ASSERT_EQ(libraryStatus(tested.image, &total), TPRA_STATUS_SUCCESS);
  EXPECT_EQ(total, tested.total);
  expectFindings(krprof_tool::counterDataWarnings(pool(), tested.image, kMeasurement), tested.warnings);
}

INSTANTIATE_TEST_SUITE_P(Warnings, WarningTest, testing::ValuesIn(kWarningCases), CaseName());

TEST(WarningTest, EveryWrappingAdditionIsWarnedOf) {
  // Four readings of 2^63 wrap the total at the second and the fourth.
  const uint64_t half = uint64_t{1} << 63;
  expectFindings(
      krprof_tool::counterDataWarnings(pool(), imageOf({{6, {9, 10}, 2, 1, {half, half, half, half}}}),
                                       kMeasurement),
      {{2, kGroup0 + ".value[1]", "value-overflow"}, {2, kGroup0 + ".value[3]", "value-overflow"}});
}

TEST(WarningTest, InexactTotalSaysWhatTheLibraryStores) {
  // 2^64 - 1 is stored as the double 2^64.
  const std::vector<Finding> warnings =
      krprof_tool::counterDataWarnings(pool(), imageOf({{6, {9, 10}, 1, 1, {kMax64, 0}}}), kMeasurement);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].detail,
            "the total 18446744073709551615 is above 2^53, where a double does not hold every integer; the "
            "library stores it as 18446744073709551616");
}

TEST(WarningTest, CountWrapsSaysWhatTheGroupAdds) {
  const std::vector<Finding> warnings =
      krprof_tool::counterDataWarnings(pool(), imageOf({{6, {9, 10}, 65536, 65536, {}}}), kMeasurement);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].detail,
            "dpcNum 65536 x instanceNum 65536 x 2 eventIds wraps to 0 in 32 bits: the group adds 0 readings");
}

// --- Configuration images and prefixes ---------------------------------------------

struct FixedCase {
  std::string name;
  std::string kind;
  std::vector<uint8_t> bytes;
  std::vector<Expected> differences;
};

std::vector<uint8_t> changed(std::vector<uint8_t> bytes, size_t offset, uint8_t value) {
  bytes.at(offset) = value;
  return bytes;
}

std::vector<uint8_t> resized(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size, 0x00);
  return bytes;
}

const std::string kConfigGroup = "eventGroupSets[0].eventGroups[0]";

// The configuration image: 0a 3d 0a 3b at 0-3, dpcIdMask 08 ff 01 at 4-6,
// domainId 20 06 at 7-8, the first counter 2a 19 at 9-10 with its name's
// 0a 15 at 11-12 and text at 13-33, eventId 10 09 at 34-35; the second
// counter 2a 19 at 36-37, 0a 15 at 38-39, text at 40-60, 10 0a at 61-62.
const FixedCase kFixedCases[] = {
    {"LibraryConfig", "config", kExpectedConfigImage, {}},
    {"LibraryPrefix", "prefix", kExpectedCounterDataPrefix, {}},
    {"ConfigDomain",
     "config",
     changed(kExpectedConfigImage, 8, 0x07),
     {{8, kConfigGroup + ".domainId", "differs"}}},
    {"ConfigEventId",
     "config",
     changed(kExpectedConfigImage, 62, 0x0b),
     {{62, kConfigGroup + ".counters[1].eventId", "differs"}}},
    {"ConfigCutShort",
     "config",
     resized(kExpectedConfigImage, 40),
     {{40, kConfigGroup + ".counters[1].eventName", "differs"}}},
    {"ConfigLonger", "config", resized(kExpectedConfigImage, 64), {{63, "", "differs"}}},
    // The prefix: 0a 0a, then domainId 08 06 at 2-3, dpcIdMask 10 ff 01 at
    // 4-6, blockIdMask 18 ff 01 at 7-9, eventNum 20 02 at 10-11.
    {"PrefixDomain",
     "prefix",
     changed(kExpectedCounterDataPrefix, 3, 0x07),
     {{3, "eventGroupDataPrefixs[0].domainId", "differs"}}},
    {"PrefixBlockMaskTag",
     "prefix",
     changed(kExpectedCounterDataPrefix, 7, 0x10),
     {{7, "eventGroupDataPrefixs[0].blockIdMask", "differs"}}},
    {"PrefixLength",
     "prefix",
     changed(kExpectedCounterDataPrefix, 1, 0x0b),
     {{1, "eventGroupDataPrefixs[0]", "differs"}}},
    {"EmptyPrefix", "prefix", {}, {{0, "eventGroupDataPrefixs[0]", "differs"}}},
};

// Cases print as their names in test listings.
void PrintTo(const FixedCase& tested, std::ostream* out) {
  *out << tested.name;
}

class FixedImageTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedImageTest, NamesTheFirstDifferingByteAndItsField) {
  const FixedCase& tested = GetParam();
  const krprof_tool::ImageKind& kind = *krprof_tool::findImageKind(tested.kind);
  const std::vector<uint8_t>& library =
      tested.kind == "config" ? kExpectedConfigImage : kExpectedCounterDataPrefix;
  expectFindings(krprof_tool::fixedImageDifferences(pool(), kind, library, tested.bytes), tested.differences);
}

INSTANTIATE_TEST_SUITE_P(Differences, FixedImageTest, testing::ValuesIn(kFixedCases), CaseName());

} // namespace
} // namespace krprof_test
