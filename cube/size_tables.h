// Read-only tables kept for each cube size, each built the first time it is asked for, from any thread.
#pragma once

#include <memory>
#include <mutex>

#include "cube/cube.h"

// The table of size n (0 to kMaxSize) that Build fills; every caller after the first waits for it and
// then shares it.
template <typename Table, void (*Build)(int n, Table* table)>
const Table& TableOfSize(int n) {
  struct Tables {
    Table of[kMaxSize + 1];
    std::once_flag built[kMaxSize + 1];
  };
  static Tables tables;
  std::call_once(tables.built[n], [n] { Build(n, &tables.of[n]); });
  return tables.of[n];
}

// The same for tables too big to keep for every size: each is allocated when first built, and only the
// sizes asked for take room.
template <typename Table, void (*Build)(int n, Table* table)>
const Table& LargeTableOfSize(int n) {
  struct Tables {
    std::unique_ptr<Table> of[kMaxSize + 1];
    std::once_flag built[kMaxSize + 1];
  };
  static Tables tables;
  std::call_once(tables.built[n], [n] {
    tables.of[n].reset(new Table());
    Build(n, tables.of[n].get());
  });
  return *tables.of[n];
}
