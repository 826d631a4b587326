// Every lesson entry as the lesson encoder wrote it (7-bit, display order,
// zero-terminated): the long track's 1017 days, then the first short track's
// 339, then the second short track's 339. Generated at build time; used to
// check that the resources read back exactly.
#pragma once
#include <cstdint>

constexpr int32_t kLessonEntryListingCount = 1695;

extern const char* const kLessonEntryListing[kLessonEntryListingCount];
