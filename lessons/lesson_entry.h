// One entry (one day of one track) out of a compressed lesson resource.
#pragma once
#include <cstdint>

// A zero-terminated copy of entry index (0-based) of resource id; the caller
// owns it (free). Null on failure with the code in *error: 1 no resource,
// 2 not loadable or out of memory, 3 to 5 as CopyChunkEntry.
uint8_t* LoadLessonEntry(int32_t id, int32_t index, int32_t* error);

// A zero-terminated copy of entry index of the chunk at the start of a
// resource of size bytes; the caller owns it (free). Null on failure: code 3
// when index is negative or at or past the chunk's entries, or the entry runs
// past the chunk's end; 2 out of memory; UnpackChunk's codes otherwise.
uint8_t* CopyChunkEntry(const uint8_t* bytes, uint32_t size, int32_t index, int32_t* error);
