// Table backend of the lesson resources (native builds).
#include "lessons/lesson_error.h"
#include "lessons/lesson_resource_table.h"
#include "lessons/lesson_resources.h"

int32_t FindLessonResource(int32_t id, const uint8_t** bytes, uint32_t* size) {
  id &= 0xFFFF;  // a resource id is 16 bits, as under Win32
  for (int32_t i = 0; i < kLessonResourceTableCount; ++i) {
    const LessonResourceRecord* record = &kLessonResourceTable[i];
    if (record->Id != id) continue;
    if (record->Size == 0) return kLessonErrorCannotLoad;
    *bytes = record->Bytes;
    *size = record->Size;
    return 0;
  }
  return kLessonErrorNoResource;
}
