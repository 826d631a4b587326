// Where the compressed lesson resources are found: in the program's own module
// under Win32 (RT_RCDATA, language 1033), in a generated table elsewhere. The
// same bytes either way, produced by the lesson encoder at build time.
#pragma once
#include <cstdint>

// Resource ids of the three tracks: 20 entries (days) per resource.
constexpr int32_t kLongTrackFirstId = 1101;         // 1101..1151: 1017 days
constexpr int32_t kFirstShortTrackFirstId = 1301;   // 1301..1317: 339 days
constexpr int32_t kSecondShortTrackFirstId = 1351;  // 1351..1367: 339 days
constexpr int32_t kEntriesPerResource = 20;

// Finds resource id (its low 16 bits, as a resource id has): on success stores
// its bytes (owned by the module or the table, never released) and its size in
// bytes, and returns 0; returns 1 when there is no such resource and 2 when it
// cannot be loaded or is empty.
int32_t FindLessonResource(int32_t id, const uint8_t** bytes, uint32_t* size);
