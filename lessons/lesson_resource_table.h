// The generated table of lesson resources used where there is no resource
// section (native builds): the same bytes the Win32 program carries.
#pragma once
#include <cstdint>

struct LessonResourceRecord {
  int32_t Id;
  const uint8_t* Bytes;
  uint32_t Size;
};

// Defined in the generated lesson_resource_data.cpp, ordered by Id.
extern const LessonResourceRecord kLessonResourceTable[];
extern const int32_t kLessonResourceTableCount;
