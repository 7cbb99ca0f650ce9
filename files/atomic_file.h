// Writing a file whole or not at all: into a temporary file beside the target, renamed over it at the end.
#pragma once

#include <cstddef>

const int kAtomicPathCapacity = 4096 + 32;

struct AtomicFile {
  int descriptor;
  int error;  // the first errno seen, 0 while all is well
  char target[kAtomicPathCapacity];
  char temporary[kAtomicPathCapacity];
};

// Creates the temporary file; false (with `error` set) when it cannot be made.
bool BeginAtomicFile(AtomicFile* file, const char* target);
// Appends bytes; a failure is remembered, later writes do nothing and the commit fails.
bool WriteAtomicFile(AtomicFile* file, const void* data, size_t size);
// Flushes, closes and renames over the target; on any failure the temporary file is removed and the
// target is left as it was.
bool CommitAtomicFile(AtomicFile* file);
// Removes the temporary file without touching the target.
void AbandonAtomicFile(AtomicFile* file);
// The reason for the failure in words.
const char* AtomicFileReason(const AtomicFile* file);

// The whole sequence for bytes already gathered: false with the reason in words.
bool WriteWholeFile(const char* target, const void* data, size_t size, char* reason, size_t reasonSize);
