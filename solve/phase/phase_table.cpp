// The distance tables' storage: allocated without throwing, read from and written to the installed store.
#include "solve/phase/phase_table.h"

#include <cstring>
#include <new>

#include "solve/table_store.h"

DistanceTable::DistanceTable(const char* name, unsigned edition, uint64_t entries)
    : name_(name), edition_(edition), entries_(entries) {}

DistanceTable::~DistanceTable() { Release(); }

bool DistanceTable::Allocate() {
  if (data_ != nullptr) return true;
  // A 32-bit program may not find this much in one piece: the caller hears so and falls back.
  if ((entries_ + 1) / 2 > kMaxTableBytes || static_cast<uint64_t>(Bytes()) != (entries_ + 1) / 2)
    return false;
  data_ = new (std::nothrow) uint8_t[Bytes()];
  return data_ != nullptr;
}

void DistanceTable::Release() {
  delete[] data_;
  data_ = nullptr;
}

void DistanceTable::Clear() { std::memset(data_, 0xFF, Bytes()); }

bool DistanceTable::LoadStored() {
  TableStore* store = InstalledTableStore();
  return store != nullptr && store->Load(name_, edition_, data_, Bytes());
}

void DistanceTable::SaveStored() {
  TableStore* store = InstalledTableStore();
  if (store != nullptr) store->Save(name_, edition_, data_, Bytes());
}

bool ReportBuild(const char* what, double done) {
  TableStore* store = InstalledTableStore();
  return store == nullptr || store->Progress(what, done);
}
