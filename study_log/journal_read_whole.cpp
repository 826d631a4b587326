#include "study_log/journal_read_whole.h"

#include <cstdlib>

namespace {

constexpr size_t kFirstCapacity = 64 * 1024;

}  // namespace

JournalFileResult ReadWholeJournal(JournalReadSome readSome, void* source, char** bytes, size_t* size) {
  *bytes = nullptr;
  *size = 0;
  size_t capacity = 0;
  size_t length = 0;
  char* buffer = nullptr;
  JournalFileResult result = kJournalOk;
  while (true) {
    if (length == capacity) {
      const size_t grown = capacity == 0 ? kFirstCapacity : capacity * 2;
      char* larger = grown > capacity ? static_cast<char*>(realloc(buffer, grown)) : nullptr;
      if (!larger) {
        result = kJournalNoMemory;
        break;
      }
      buffer = larger;
      capacity = grown;
    }
    const int64_t got = readSome(source, buffer + length, capacity - length);
    if (got < 0) result = kJournalCannotRead;
    if (got <= 0) break;
    length += static_cast<size_t>(got);
  }
  if (result != kJournalOk || length == 0) {
    free(buffer);
    return result;
  }
  *bytes = buffer;
  *size = length;
  return kJournalOk;
}
