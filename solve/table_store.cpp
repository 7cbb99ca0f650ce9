// The one table store a program installs.
#include "solve/table_store.h"

#include <atomic>

namespace {

std::atomic<TableStore*> installed{nullptr};

}  // namespace

void InstallTableStore(TableStore* store) { installed.store(store); }
TableStore* InstalledTableStore() { return installed.load(); }
