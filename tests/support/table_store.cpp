// Test programs keep the solvers' tables where the test run points the cache folder, as the programs
// keep them in the user's own; so each process reads them back instead of building them.
#include "files/table_cache.h"

namespace {

struct InstalledStore {
  CacheTableStore store;
  InstalledStore() { InstallTableStore(&store); }
};
const InstalledStore installed;

}  // namespace
