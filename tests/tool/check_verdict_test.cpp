// The explanation of `krprof check` against the library's verdict on many
// images: the seeds of the evaluation fuzz corpus, images built here, and
// every truncation and every single-byte change of each. Wherever the library
// rejects an image the walk must find a problem with a rule; wherever it
// accepts one, the walk must find none.

#include <google/protobuf/stubs/logging.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "counter_data_encoder.h"
#include "expected_images.h"
#include "image_check.h"
#include "library_verdict.h"

namespace krprof_test {
namespace {

const std::set<std::string> kProblemRules = {
    "truncated",       "bad-varint",      "bad-wire-type", "bad-field-number", "length-overrun",
    "unmatched-group", "recursion-limit", "invalid-utf8",  "no-range",         "short-value-list"};

std::vector<uint8_t> fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The files of a directory; none when it does not exist.
std::vector<std::vector<uint8_t>> directoryImages(const std::string& path) {
  std::vector<std::vector<uint8_t>> images;
  DIR* directory = opendir(path.c_str());
  if (directory == nullptr) return images;
  while (const dirent* entry = readdir(directory)) {
    if (entry->d_name[0] != '.') images.push_back(fileBytes(path + "/" + entry->d_name));
  }
  closedir(directory);
  return images;
}

// Images whose mutations reach every message of the schema, packed and
// unpacked lists, strings, unknown fields and groups.
std::vector<std::vector<uint8_t>> builtImages() {
  const uint64_t big = uint64_t{1} << 63;
  return {
      kOneGroupCounterDataImage,
      imageOf({{6, {9, 10}, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}}),
      imageOf({{6, {9, 10}, 1, 1, {big, big, 7}}, {7, {9}, 1, 2, {1, 2}}}),
      CounterDataImage{
          4, 2, 16, "chip", {RangeImage{"first", {{6, {9, 10}, 1, 1, {1, 2}}}}, RangeImage{"second", {}}}}
          .encode()
          .bytes(),
      imageOfRawGroup(WireMessage()
                          .varint(field::group::kDomainId, 6)
                          .unpacked(field::group::kEventId, {9, 10})
                          .varint(field::group::kDpcNum, 1)
                          .varint(field::group::kInstanceNum, 1)
                          .unpacked(field::group::kValue, {300, 400})
                          .fixed32(9, 1)
                          .fixed64(10, 2)
                          .raw({0x5b, 0x08, 0x01, 0x5c})),
  };
}

// Each image, every truncation of it, every image that differs from it in
// one byte, and every image with one varint's last byte widened into 1 to 10
// more bytes of the same value (80 ... 00), which crosses the parser's limits
// of five bytes for a tag or a length and ten for any other varint.
std::vector<std::vector<uint8_t>> mutations(const std::vector<std::vector<uint8_t>>& images) {
  std::vector<std::vector<uint8_t>> all;
  for (const std::vector<uint8_t>& image : images) {
    all.push_back(image);
    for (size_t size = 0; size < image.size(); ++size) all.emplace_back(image.begin(), image.begin() + size);
    for (size_t offset = 0; offset < image.size(); ++offset) {
      for (int value = 0; value < 256; ++value) {
        if (value == image[offset]) continue;
        std::vector<uint8_t> changed = image;
        changed[offset] = static_cast<uint8_t>(value);
        all.push_back(std::move(changed));
      }
      if (image[offset] >= 0x80) continue;
      for (size_t extra = 1; extra <= 10; ++extra) {
        std::vector<uint8_t> widened(image.begin(), image.begin() + offset);
        widened.push_back(static_cast<uint8_t>(image[offset] | 0x80));
        widened.insert(widened.end(), extra - 1, 0x80);
        widened.push_back(0x00);
        widened.insert(widened.end(), image.begin() + offset + 1, image.end());
        all.push_back(std::move(widened));
      }
    }
  }
  return all;
}

std::string hexOf(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (uint8_t byte : bytes)
    hex += std::string(hex.empty() ? "" : " ") + kDigits[byte >> 4] + kDigits[byte & 0xf];
  return hex;
}

class CheckVerdictTest : public testing::Test {
protected:
  // The protobuf runtime reports every string that is not UTF-8; thousands
  // of them say nothing here.
  void SetUp() override { google::protobuf::SetLogHandler(nullptr); }
  void TearDown() override { google::protobuf::SetLogHandler(previous_); }

  // Checks one image; returns whether the library rejected it.
  bool expectExplained(const std::vector<uint8_t>& image) {
    SCOPED_TRACE("image " + hexOf(image));
    const TPRA_Status status = libraryStatus(image);
    const std::vector<krprof_tool::Finding> problems = krprof_tool::counterDataProblems(pool_, image);
    if (status == TPRA_STATUS_SUCCESS) {
      EXPECT_TRUE(problems.empty()) << problems.front().rule << ": " << problems.front().detail;
      EXPECT_NO_THROW(krprof_tool::counterDataWarnings(pool_, image, {6, {9, 10}}));
      return false;
    }
    EXPECT_EQ(status, TPRA_STATUS_INTERNAL_ERROR);
    EXPECT_FALSE(problems.empty()) << "the library rejects the image, the walk finds nothing";
    for (const krprof_tool::Finding& problem : problems) {
      EXPECT_EQ(kProblemRules.count(problem.rule), 1u) << problem.rule;
      EXPECT_LE(problem.offset, image.size());
      EXPECT_FALSE(problem.detail.empty());
    }
    return true;
  }

  void checkAll(const std::vector<std::vector<uint8_t>>& images, size_t* rejected) {
    for (const std::vector<uint8_t>& image : images) {
      if (expectExplained(image)) ++*rejected;
      if (HasFailure()) return; // one explained failure is enough to read
    }
  }

  const krprof_tool::SchemaPool pool_;
  google::protobuf::LogHandler* previous_ = google::protobuf::SetLogHandler(nullptr);
};

TEST_F(CheckVerdictTest, TheFuzzSeedsAndTheirMutations) {
  const std::vector<std::vector<uint8_t>> seeds = directoryImages(KRPROF_EVALUATION_CORPUS);
  ASSERT_FALSE(seeds.empty()) << "no seeds in " << KRPROF_EVALUATION_CORPUS;
  size_t rejected = 0;
  const std::vector<std::vector<uint8_t>> images = mutations(seeds);
  checkAll(images, &rejected);
  // Mutations reach both verdicts.
  EXPECT_GT(rejected, 0u);
  EXPECT_LT(rejected, images.size());
}

// A corpus that a longer fuzzing run grew, named by KRPROF_CHECK_CORPUS
// (for instance a copy of the evaluation target's working corpus).
TEST_F(CheckVerdictTest, AGrownFuzzCorpus) {
  const char* directory = std::getenv("KRPROF_CHECK_CORPUS");
  if (directory == nullptr) GTEST_SKIP() << "KRPROF_CHECK_CORPUS names no corpus directory";
  const std::vector<std::vector<uint8_t>> images = directoryImages(directory);
  ASSERT_FALSE(images.empty()) << "no inputs in " << directory;
  size_t rejected = 0;
  checkAll(images, &rejected);
}

TEST_F(CheckVerdictTest, BuiltImagesAndTheirMutations) {
  size_t rejected = 0;
  const std::vector<std::vector<uint8_t>> images = mutations(builtImages());
  checkAll(images, &rejected);
  EXPECT_GT(rejected, 0u);
  EXPECT_LT(rejected, images.size());
}

} // namespace
} // namespace krprof_test
