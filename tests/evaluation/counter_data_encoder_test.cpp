// The test encoder writes the bytes the counter-data image format prescribes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "counter_data_encoder.h"

namespace krprof_test {
namespace {

// The group image of the format's worked example: domain 6, events 9 and 10,
// one DPC, one instance, readings 100 and 200.
const GroupImage kExampleGroup{6, {9, 10}, 1, 1, {100, 200}};
const Bytes kExampleGroupBytes{0x10, 0x06, 0x1a, 0x02, 0x09, 0x0a, 0x20, 0x01,
                               0x28, 0x01, 0x32, 0x03, 0x64, 0xc8, 0x01};

Bytes concat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct EncodingCase {
  std::string name;
  Bytes encoded;
  Bytes expected;
  friend void PrintTo(const EncodingCase& tested, std::ostream* out) { *out << tested.name; }
};

class EncoderTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(EncoderTest, WritesTheExpectedBytes) {
  EXPECT_EQ(GetParam().encoded, GetParam().expected);
}

Bytes varintBytes(uint64_t value) {
  Bytes out;
  appendVarint(out, value);
  return out;
}

Bytes tagBytes(uint32_t fieldNumber, WireType type) {
  Bytes out;
  appendTag(out, fieldNumber, type);
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    CounterDataEncoder, EncoderTest,
    testing::Values(
        EncodingCase{"VarintZero", varintBytes(0), {0x00}},
        EncodingCase{"VarintTwoBytes", varintBytes(255), {0xff, 0x01}},
        EncodingCase{"VarintTenBytes",
                     varintBytes(UINT64_MAX),
                     {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x01}},
        EncodingCase{"PackedGroupImage", kExampleGroup.encode().bytes(), kExampleGroupBytes},
        EncodingCase{"ImageOfOneRange", imageOf({kExampleGroup}),
                     concat({0x2a, 0x11, 0x12, 0x0f}, kExampleGroupBytes)},
        EncodingCase{"RawGroupInOneRange", imageOfRawGroup(kExampleGroup.encode()),
                     concat({0x2a, 0x11, 0x12, 0x0f}, kExampleGroupBytes)},
        EncodingCase{
            "UnpackedGroupImage",
            WireMessage()
                .varint(field::group::kDomainId, 6)
                .unpacked(field::group::kEventId, {9, 10})
                .varint(field::group::kDpcNum, 1)
                .varint(field::group::kInstanceNum, 1)
                .unpacked(field::group::kValue, {100, 200})
                .bytes(),
            {0x10, 0x06, 0x18, 0x09, 0x18, 0x0a, 0x20, 0x01, 0x28, 0x01, 0x30, 0x64, 0x30, 0xc8, 0x01}},
        EncodingCase{
            "PackedRunThenSingleElement",
            WireMessage().packed(field::group::kEventId, {9}).varint(field::group::kEventId, 10).bytes(),
            {0x1a, 0x01, 0x09, 0x18, 0x0a}},
        EncodingCase{"EmptyValueListLeftOut",
                     GroupImage{6, {9}, 1, 1, {}}.encode().bytes(),
                     {0x10, 0x06, 0x1a, 0x01, 0x09, 0x20, 0x01, 0x28, 0x01}},
        EncodingCase{"RangeName",
                     CounterDataImage{0, 0, 0, {}, {RangeImage{"\xff", {}}}}.encode().bytes(),
                     {0x2a, 0x03, 0x0a, 0x01, 0xff}},
        EncodingCase{"ImageScalarsAndChipName",
                     CounterDataImage{1, 2, 3, "k", {}}.encode().bytes(),
                     {0x08, 0x01, 0x10, 0x02, 0x18, 0x03, 0x22, 0x01, 0x6b}},
        EncodingCase{"Fixed64",
                     WireMessage().fixed64(field::group::kValue, 0x0102).bytes(),
                     {0x31, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        EncodingCase{"Fixed32",
                     WireMessage().fixed32(field::group::kEventId, 0x0102).bytes(),
                     {0x1d, 0x02, 0x01, 0x00, 0x00}},
        EncodingCase{"EndGroupTag", tagBytes(1, WireType::kEndGroup), {0x0c}}),
    CaseName());

} // namespace
} // namespace krprof_test
