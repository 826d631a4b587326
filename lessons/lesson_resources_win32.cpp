// Win32 backend of the lesson resources: RT_RCDATA resources of the module
// that created the process (the program's own exe).
#include <windows.h>

#include "lessons/lesson_error.h"
#include "lessons/lesson_resources.h"

int32_t FindLessonResource(int32_t id, const uint8_t** bytes, uint32_t* size) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id & 0xFFFF), RT_RCDATA);
  if (!found) return kLessonErrorNoResource;
  DWORD length = SizeofResource(nullptr, found);
  HGLOBAL loaded = length ? LoadResource(nullptr, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return kLessonErrorCannotLoad;
  *bytes = static_cast<const uint8_t*>(data);
  *size = length;
  return 0;
}
