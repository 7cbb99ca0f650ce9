// The temporary-file-and-rename writer that every file the program writes goes through.
#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <process.h>
extern "C" __declspec(dllimport) int __stdcall MoveFileExA(const char*, const char*, unsigned long);
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace {

bool Fail(AtomicFile* file, int error) {
  if (file->error == 0) file->error = error != 0 ? error : EIO;
  return false;
}

bool Replace(const char* from, const char* to) {
#ifdef _WIN32
  // rename() will not replace an existing file there.
  return MoveFileExA(from, to, 1 /* MOVEFILE_REPLACE_EXISTING */) != 0;
#else
  return std::rename(from, to) == 0;
#endif
}

}  // namespace

bool BeginAtomicFile(AtomicFile* file, const char* target) {
  file->descriptor = -1;
  file->error = 0;
  file->temporary[0] = '\0';
  const size_t length = std::strlen(target);
  if (length == 0) return Fail(file, ENOENT);
  if (length >= sizeof file->target - 32) return Fail(file, ENAMETOOLONG);
  std::memcpy(file->target, target, length + 1);
  struct stat status;
  if (stat(target, &status) == 0 && S_ISDIR(status.st_mode)) return Fail(file, EISDIR);
  // A name of our own beside the target, so the rename never crosses file systems.
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::snprintf(file->temporary, sizeof file->temporary, "%s.%ld-%u.part", target,
                  static_cast<long>(getpid()), ++serial);
    file->descriptor = open(file->temporary, O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666);
    if (file->descriptor >= 0) return true;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  file->temporary[0] = '\0';
  return Fail(file, error);
}

bool WriteAtomicFile(AtomicFile* file, const void* data, size_t size) {
  if (file->error != 0 || file->descriptor < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const auto written = write(file->descriptor, bytes, static_cast<unsigned>(size));
    if (written <= 0) return Fail(file, errno);
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool CommitAtomicFile(AtomicFile* file) {
  if (file->descriptor < 0) return Fail(file, 0);
#ifndef _WIN32
  if (file->error == 0 && fsync(file->descriptor) != 0) Fail(file, errno);
#endif
  if (close(file->descriptor) != 0) Fail(file, errno);
  file->descriptor = -1;
  if (file->error == 0 && !Replace(file->temporary, file->target)) Fail(file, errno);
  if (file->error != 0) {
    std::remove(file->temporary);
    return false;
  }
  return true;
}

void AbandonAtomicFile(AtomicFile* file) {
  if (file->descriptor >= 0) close(file->descriptor);
  file->descriptor = -1;
  if (file->temporary[0] != '\0') std::remove(file->temporary);
}

const char* AtomicFileReason(const AtomicFile* file) {
  return std::strerror(file->error != 0 ? file->error : EIO);
}

bool WriteWholeFile(const char* target, const void* data, size_t size, char* reason, size_t reasonSize) {
  AtomicFile file;
  if (!BeginAtomicFile(&file, target) || !WriteAtomicFile(&file, data, size)) {
    std::snprintf(reason, reasonSize, "%s", AtomicFileReason(&file));
    AbandonAtomicFile(&file);
    return false;
  }
  if (!CommitAtomicFile(&file)) {
    std::snprintf(reason, reasonSize, "%s", AtomicFileReason(&file));
    return false;
  }
  return true;
}
