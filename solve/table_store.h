// Where the solvers keep their tables between runs and whom they tell of a long build: solve/ only asks,
// and each program installs the answer at start-up.
#pragma once

#include <cstddef>

class TableStore {
 public:
  virtual ~TableStore() = default;
  // Fills `data` from the copy kept as `name` at `edition` when one is there, whole and checked.
  virtual bool Load(const char* name, unsigned edition, void* data, size_t size) = 0;
  // Keeps `data` as `name` at `edition`, whole or not at all; copies of earlier editions go.
  virtual bool Save(const char* name, unsigned edition, const void* data, size_t size) = 0;
  // A long build tells what it builds and how much of it is done (0 to 1), from whichever thread
  // builds; false asks it to stop, and then it keeps nothing.
  virtual bool Progress(const char* /*what*/, double /*done*/) { return true; }
};

// Set once at start-up, before the first solve. With none installed every table is built where it is
// first needed and kept nowhere.
void InstallTableStore(TableStore* store);
TableStore* InstalledTableStore();
