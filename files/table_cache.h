// The solvers' tables kept in the user's cache folder: read back when whole and checked, else built
// again and written whole or not at all.
#pragma once

#include <cstddef>

#include "solve/table_store.h"

class CacheTableStore : public TableStore {
 public:
  bool Load(const char* name, unsigned edition, void* data, size_t size) override;
  bool Save(const char* name, unsigned edition, const void* data, size_t size) override;
};

// Where the table `name` at `edition` is kept (NAME-EDITION.bin in the program's cache folder); false
// when no cache folder is known. With makeFolders the folders on the way are made.
bool TableCachePath(const char* name, unsigned edition, char* path, size_t capacity, bool makeFolders);
