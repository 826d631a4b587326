// The compressor of the lesson encoder: produces data for the decompressor of
// lesson_decompressor.h with an optimal parse (fewest compressed bytes) over
// its four kinds of code.
#pragma once
#include <cstddef>
#include <cstdint>

// Largest compressed size of size input bytes (all in literal runs of 8).
size_t LessonCompressedBound(size_t size);

// Compresses size bytes of input into output (capacity bytes); returns the
// compressed length, or 0 when size is 0, output is too small or memory is
// exhausted.
size_t CompressLessonData(const uint8_t* input, size_t size, uint8_t* output, size_t capacity);

// Writes a whole chunk (header with L and U, then the compressed data, padded
// to L >= 5 if need be) into output; returns its size, or 0 when size is 0 or
// above 65535, the compressed data exceed 65535 bytes, or output is too small.
size_t PackLessonChunk(const uint8_t* input, size_t size, uint8_t* output, size_t capacity);
