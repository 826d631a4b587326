// Failure codes of the lesson data operations, stored in the caller's
// optional error slot; a successful operation leaves the slot untouched.
#pragma once
#include <cstdint>

enum : int32_t {
  kLessonErrorNoResource = 1,   // no resource of that id
  kLessonErrorCannotLoad = 2,   // the resource cannot be loaded, or memory is exhausted
  kLessonErrorNoChunk = 3,      // no usable chunk or entry, or a LessonDay outside 1..1017
  kLessonErrorEmptyChunk = 4,   // the chunk's decompressed length U is 0
  kLessonErrorShortData = 5,    // the compressed data ran out, or is corrupt, before U bytes
};

// Stores code in *slot when a slot is given.
inline void SetLessonError(int32_t* slot, int32_t code) {
  if (slot) *slot = code;
}
