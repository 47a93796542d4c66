// What `krprof check` says about an image beside the library's verdict: why
// a counter-data image is rejected, what in an accepted one a user would not
// expect, and where a configuration image or prefix differs from the
// library's own.
#pragma once

#include <vector>

#include "event_group_request.h"
#include "file_bytes.h"
#include "image_finding.h"
#include "image_kinds.h"
#include "schema_pool.h"

namespace krprof_tool {

// The rules a counter-data image breaks, in the order the evaluation meets
// them: where its bytes stop decoding; otherwise that it holds no range
// ("no-range"); otherwise every group of the first range whose value list is
// shorter than its reading count ("short-value-list"). Empty when it breaks
// none. Images of 2^31 bytes or more must not be passed.
std::vector<Finding> counterDataProblems(const SchemaPool& pool, const Bytes& image);

// For a counter-data image that the library accepts: groups of the first
// range whose domain or event ids are not those of `measurement`, the group
// of the library's configuration image ("foreign-group"), reading counts that
// wrap in 32 bits ("count-wraps"), readings beyond the reading count
// ("extra-values"), every addition that wraps the 64-bit total
// ("value-overflow"), a total above 2^53 ("inexact-total") and ranges after
// the first ("ranges-ignored").
std::vector<Finding> counterDataWarnings(const SchemaPool& pool, const Bytes& image,
                                         const EventGroupRequest& measurement);

// Where `bytes` first differ from `expected`, the library's own image of
// `kind` ("differs"), with the field of the library's image the byte belongs
// to; empty when they are equal.
std::vector<Finding> fixedImageDifferences(const SchemaPool& pool, const ImageKind& kind,
                                           const Bytes& expected, const Bytes& bytes);

// The difference of a file longer than the library's image of `kind`, which
// is `expectedSize` bytes long and which the file holds in full.
Finding longerThanFixedImage(const ImageKind& kind, size_t expectedSize);

} // namespace krprof_tool
