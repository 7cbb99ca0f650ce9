// A small table store for the tests: one file per table in the test cache folder ($XDG_CACHE_HOME, which
// CTest points into the build tree), with a checksum, written through a temporary file and renamed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "solve/table_store.h"

class TestTableStore : public TableStore {
 public:
  explicit TestTableStore(std::string folder) : folder_(std::move(folder)) {}

  bool Load(const char* name, unsigned edition, void* data, size_t size) override {
    FILE* file = std::fopen(PathOf(name, edition).c_str(), "rb");
    if (file == nullptr) return false;
    uint64_t header[2] = {};
    bool whole = std::fread(header, sizeof header, 1, file) == 1 && header[0] == size &&
                 std::fread(data, 1, size, file) == size;
    std::fclose(file);
    return whole && header[1] == Checksum(data, size);
  }

  bool Save(const char* name, unsigned edition, const void* data, size_t size) override {
    if (folder_.empty()) return false;
    const std::string path = PathOf(name, edition), temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const uint64_t header[2] = {size, Checksum(data, size)};
    bool whole = std::fwrite(header, sizeof header, 1, file) == 1 && std::fwrite(data, 1, size, file) == size;
    whole = std::fclose(file) == 0 && whole;
    return whole && std::rename(temporary.c_str(), path.c_str()) == 0;
  }

  // The test cache folder, created if need be; empty (nothing kept) when there is none.
  static std::string Folder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache == nullptr || *cache == '\0') return std::string();
    std::string folder = std::string(cache) + "/plexaro-test-tables";
#ifdef _WIN32
    std::system(("mkdir \"" + folder + "\" 2>nul").c_str());
#else
    std::system(("mkdir -p '" + folder + "'").c_str());
#endif
    return folder;
  }

 private:
  static uint64_t Checksum(const void* data, size_t size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    uint64_t hash = 14695981039346656037ull;
    for (size_t k = 0; k < size; ++k) hash = (hash ^ bytes[k]) * 1099511628211ull;
    return hash;
  }
  std::string PathOf(const char* name, unsigned edition) const {
    return folder_ + "/" + name + "-" + std::to_string(edition) + ".bin";
  }
  std::string folder_;
};

// Installs the test store once per test program, unless a test installed another.
inline void UseTestTableStore() {
  static TestTableStore store(TestTableStore::Folder());
  if (InstalledTableStore() == nullptr) InstallTableStore(&store);
}
