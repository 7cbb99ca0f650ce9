// The solvers' table cache: a header with the edition, the size and a checksum, then the bytes.
#include "files/table_cache.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/atomic_file.h"

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#define MakeFolder(path) _mkdir(path)
#else
#include <unistd.h>
#define MakeFolder(path) mkdir(path, 0700)
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace {

struct CacheHeader {
  char magic[8];
  uint32_t edition;
  uint32_t reserved;
  uint64_t size;
  uint64_t checksum;
};
const char kMagic[8] = {'P', 'L', 'X', 'T', 'A', 'B', 'L', '\n'};

uint64_t Checksum(const void* data, size_t size) {
  // FNV-1a over 64-bit words in four lanes, so a start-up that reads the tables back barely notices it;
  // a tail of fewer than 32 bytes byte by byte.
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  const uint64_t prime = 1099511628211ull;
  uint64_t lane[4] = {14695981039346656037ull, 1, 2, 3};
  size_t at = 0;
  for (; at + 32 <= size; at += 32)
    for (int k = 0; k < 4; ++k) {
      uint64_t word;
      std::memcpy(&word, bytes + at + 8 * k, sizeof word);
      lane[k] = (lane[k] ^ word) * prime;
    }
  uint64_t hash = lane[0] ^ lane[1] * 3 ^ lane[2] * 5 ^ lane[3] * 7;
  for (; at < size; ++at) hash = (hash ^ bytes[at]) * prime;
  return hash;
}

// Reads exactly size bytes; false on a short read or an error.
bool ReadExactly(int descriptor, void* data, size_t size) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    const auto got = read(descriptor, bytes, static_cast<unsigned>(size > (1u << 30) ? (1u << 30) : size));
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool ReadCache(const char* path, unsigned edition, void* data, size_t size) {
  const int descriptor = open(path, O_RDONLY | O_BINARY);
  if (descriptor < 0) return false;
  CacheHeader header;
  bool ok = ReadExactly(descriptor, &header, sizeof header) &&
            std::memcmp(header.magic, kMagic, sizeof kMagic) == 0 && header.edition == edition &&
            header.size == size && ReadExactly(descriptor, data, size);
  char extra;
  ok = ok && read(descriptor, &extra, 1) == 0;  // nothing after the tables
  close(descriptor);
  return ok && Checksum(data, size) == header.checksum;
}

bool WriteCache(const char* path, unsigned edition, const void* data, size_t size) {
  CacheHeader header = {};
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  header.edition = edition;
  header.size = size;
  header.checksum = Checksum(data, size);
  AtomicFile file;
  if (!BeginAtomicFile(&file, path) || !WriteAtomicFile(&file, &header, sizeof header) ||
      !WriteAtomicFile(&file, data, size)) {
    AbandonAtomicFile(&file);
    return false;
  }
  return CommitAtomicFile(&file);
}

}  // namespace

bool TableCachePath(const char* name, unsigned edition, char* path, size_t capacity, bool makeFolders) {
  // An absolute XDG_CACHE_HOME, else ~/.cache (on Windows the local application data folder).
  const char* base = std::getenv("XDG_CACHE_HOME");
  char folder[kAtomicPathCapacity];
#ifdef _WIN32
  if (base == nullptr || base[0] == '\0') base = std::getenv("LOCALAPPDATA");
  if (base == nullptr || base[0] == '\0') return false;
  std::snprintf(folder, sizeof folder, "%s", base);
#else
  if (base != nullptr && base[0] == '/') {
    std::snprintf(folder, sizeof folder, "%s", base);
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return false;
    std::snprintf(folder, sizeof folder, "%s/.cache", home);
  }
#endif
  if (makeFolders) MakeFolder(folder);
  const size_t length = std::strlen(folder);
  std::snprintf(folder + length, sizeof folder - length, "/plexaro");
  if (makeFolders) MakeFolder(folder);
  const int written = std::snprintf(path, capacity, "%s/%s-%u.bin", folder, name, edition);
  return written > 0 && static_cast<size_t>(written) < capacity;
}

bool CacheTableStore::Load(const char* name, unsigned edition, void* data, size_t size) {
  char path[kAtomicPathCapacity];
  return TableCachePath(name, edition, path, sizeof path, false) && ReadCache(path, edition, data, size);
}

bool CacheTableStore::Save(const char* name, unsigned edition, const void* data, size_t size) {
  char path[kAtomicPathCapacity];
  if (!TableCachePath(name, edition, path, sizeof path, true) || !WriteCache(path, edition, data, size))
    return false;
  // Copies of earlier editions are never read again: they only take room.
  for (unsigned older = 1; older < edition; ++older)
    if (TableCachePath(name, older, path, sizeof path, false)) std::remove(path);
  return true;
}
