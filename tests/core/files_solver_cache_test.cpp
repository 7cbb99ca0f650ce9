// The solvers' table cache: kept whole, read back instead of built, built again when a copy fails a check.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "files/table_cache.h"
#include "solve/solve_coordinates.h"
#include "solve/solve_search.h"
#include "support/cube_helpers.h"

namespace {

class SolverCache : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = TempPath("cache_" + std::to_string(getpid()));
    mkdir(folder.c_str(), 0700);
    const char* old = std::getenv("XDG_CACHE_HOME");
    saved = old != nullptr ? old : "";
    setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    char path[4200];
    ASSERT_TRUE(TableCachePath("solver-tables", kSearchTablesEdition, path, sizeof path, false));
    file = path;
    std::remove(file.c_str());
  }
  void TearDown() override {
    std::remove(file.c_str());
    rmdir((folder + "/plexaro").c_str());
    rmdir(folder.c_str());
    if (saved.empty())
      unsetenv("XDG_CACHE_HOME");
    else
      setenv("XDG_CACHE_HOME", saved.c_str(), 1);
  }
  // The tables as they are now, then wiped, so only a read or a build can fill them.
  std::vector<char> TakeTables() {
    size_t size = 0;
    char* data = static_cast<char*>(SearchTableBytes(&size));
    std::vector<char> copy(data, data + size);
    std::memset(data, 0, size);
    return copy;
  }
  SearchTablesSource Load() { return LoadSearchTables(&store); }
  CacheTableStore store;
  std::vector<char> Tables() {
    size_t size = 0;
    const char* data = static_cast<const char*>(SearchTableBytes(&size));
    return std::vector<char>(data, data + size);
  }
  std::string folder, saved, file;
};

TEST_F(SolverCache, KeptWholeThenReadBackInsteadOfBuilt) {
  // A copy of an earlier edition goes once the new one is kept.
  mkdir((folder + "/plexaro").c_str(), 0700);
  const std::string older =
      folder + "/plexaro/solver-tables-" + std::to_string(kSearchTablesEdition - 1) + ".bin";
  std::ofstream(older) << "older";
  EXPECT_EQ(Load(), kTablesBuiltAndKept);
  EXPECT_NE(access(older.c_str(), F_OK), 0);
  const std::vector<char> built = TakeTables();
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  EXPECT_EQ(static_cast<size_t>(in.tellg()), built.size() + 32);
  EXPECT_EQ(Load(), kTablesRead);
  EXPECT_TRUE(Tables() == built);
}

TEST_F(SolverCache, ADamagedCopyIsBuiltAgainAndReplaced) {
  ASSERT_EQ(Load(), kTablesBuiltAndKept);
  const std::vector<char> good = Tables();
  const auto damage = [&](long at, char value, bool truncate, bool append) {
    std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
    if (truncate) {
      io.close();
      ASSERT_EQ(::truncate(file.c_str(), at), 0);
      return;
    }
    io.seekp(append ? 0 : at, append ? std::ios::end : std::ios::beg);
    io.put(value);
  };
  // A flipped byte in the tables, a different edition, a short file, a byte too many.
  damage(32 + 5000000, static_cast<char>(~good[5000000]), false, false);
  EXPECT_EQ(Load(), kTablesBuiltAndKept);
  EXPECT_TRUE(Tables() == good);
  damage(8, 99, false, false);
  EXPECT_EQ(Load(), kTablesBuiltAndKept);
  damage(1000, 0, true, false);
  EXPECT_EQ(Load(), kTablesBuiltAndKept);
  damage(0, 0, false, true);
  EXPECT_EQ(Load(), kTablesBuiltAndKept);
  EXPECT_EQ(Load(), kTablesRead);
  // A copy whose entries point outside their tables is never used, whatever its checksum.
  EXPECT_TRUE(SearchTablesValid());
  const auto spoiled = [](auto& entry, int value) {
    const auto kept = entry;
    entry = static_cast<std::remove_reference_t<decltype(entry)>>(value);
    const bool valid = SearchTablesValid();
    entry = kept;
    return !valid && SearchTablesValid();
  };
  EXPECT_TRUE(spoiled(searchTables.cornerMove[5][3], 0xFFFF));
  EXPECT_TRUE(spoiled(searchTables.combOf[7], kCombs));
  EXPECT_TRUE(spoiled(searchTables.phase2Index[4], 9));  // L2 said to be another move
  EXPECT_TRUE(spoiled(searchTables.twistClass[100], kTwistClasses * kSymmetries));
  EXPECT_TRUE(spoiled(searchTables.flipConj[3][20], kFlips));
  EXPECT_TRUE(spoiled(searchTables.inverse8[9], kPerms8));
}

TEST_F(SolverCache, NoFolderToKeepItInCostsOnlyTheBuild) {
  setenv("XDG_CACHE_HOME", "/proc/no-such-folder", 1);
  EXPECT_EQ(Load(), kTablesBuilt);
  EXPECT_TRUE(SearchTablesValid());
  // A relative cache folder is not used; without a home either, no path at all.
  setenv("XDG_CACHE_HOME", "relative", 1);
  const char* home = std::getenv("HOME");
  const std::string savedHome = home != nullptr ? home : "";
  unsetenv("HOME");
  char path[4200];
  EXPECT_FALSE(TableCachePath("solver-tables", kSearchTablesEdition, path, sizeof path, false));
  EXPECT_EQ(Load(), kTablesBuilt);
  if (!savedHome.empty()) setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
