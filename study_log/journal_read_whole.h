// The read loop the journal file's backends share: a whole file into one
// buffer that grows as it fills. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

#include "study_log/journal_file.h"

// Reads up to room bytes from source into into: the bytes read, 0 at the end
// of the file, -1 on failure (retried within, not here, when interrupted).
using JournalReadSome = int64_t (*)(void* source, char* into, size_t room);

// Reads source to its end into a new buffer (*bytes, released with free;
// *size bytes; null and 0 for an empty file). kJournalCannotRead or
// kJournalNoMemory, with *bytes null and *size 0, on failure.
JournalFileResult ReadWholeJournal(JournalReadSome readSome, void* source, char** bytes, size_t* size);
