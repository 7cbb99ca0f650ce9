// Saving the pattern: the bytes the reader takes, a round trip at every size, and failures that harm nothing.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

// Names in the temporary folder that start with `prefix`, to find a left-over temporary file.
std::vector<std::string> NamesStartingWith(const std::string& prefix) {
  std::vector<std::string> names;
  if (DIR* folder = opendir(::testing::TempDir().c_str())) {
    while (dirent* entry = readdir(folder))
      if (std::string(entry->d_name).rfind(prefix, 0) == 0) names.push_back(entry->d_name);
    closedir(folder);
  }
  return names;
}

// Not a pattern any turn makes, so the order of faces, rows and columns shows in the bytes.
int Uneven(int face, int row, int column) { return (face * 7 + row * 3 + column * 5 + row * column) % 6; }

class SavePattern : public FreshStartTest, public ::testing::WithParamInterface<int> {};

TEST_P(SavePattern, WritesTheReadersBytesAndLoadsBackTheSamePattern) {
  const int n = GetParam();
  StartFresh(recording, static_cast<int16_t>(n));
  HandleCharacter('m');
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column)
        document.cube.live[CellIndex(face, row, column)] =
            document.cube.shadow[CellIndex(face, row, column)] = Uneven(face, row, column);
  const std::vector<int32_t> saved = UsedCells();
  const std::string path = TempPath("writer_" + std::to_string(n) + ".q");
  ASSERT_TRUE(SavePatternFile(path.c_str()));
  EXPECT_TRUE(recording.boxes.empty());
  EXPECT_EQ(ReadWhole(path), PatternFileBytes(n, Uneven));

  StartFresh(recording, n == 3 ? 5 : 3);
  recording.answers.push_back(path);
  HandleCharacter('[');
  EXPECT_TRUE(recording.boxes.empty());
  EXPECT_EQ(document.cube.size, n);
  EXPECT_EQ(UsedCells(), saved);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SavePattern, ::testing::Values(2, 3, 10));

TEST_F(FreshStartTest, SavingReplacesAnOldFileWhole) {
  const std::string path = WriteTemp("writer_old.q", std::string(2000, 'x'));
  ASSERT_TRUE(SavePatternFile(path.c_str()));
  EXPECT_EQ(ReadWhole(path), PatternFileBytes(3, [](int face, int, int) { return face; }));
}

class FailedSave : public FreshStartTest {
 protected:
  void ExpectBox(const std::string& path, const std::string& reason) {
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_EQ(recording.boxes[0].title, "Error");
    EXPECT_EQ(recording.boxes[0].text, "Cannot save the pattern to " + path + "\n" + reason);
  }
};

TEST_F(FailedSave, MissingFolderNamesThePathAndMakesNoFile) {
  const std::string path = TempPath("writer_no_folder/cube.q");
  EXPECT_FALSE(SavePatternFile(path.c_str()));
  ExpectBox(path, std::strerror(ENOENT));
  EXPECT_TRUE(NamesStartingWith("plexaro_writer_no_folder").empty());
}

TEST_F(FailedSave, FolderAsTargetStaysAFolderAndNoTemporaryFileIsLeft) {
  const std::string path = TempPath("writer_folder.q");
#ifdef _WIN32
  mkdir(path.c_str());
#else
  mkdir(path.c_str(), 0777);
#endif
  EXPECT_FALSE(SavePatternFile(path.c_str()));
  ExpectBox(path, std::strerror(EISDIR));
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_TRUE(S_ISDIR(status.st_mode));
  EXPECT_EQ(NamesStartingWith("plexaro_writer_folder.q").size(), 1u);
}

TEST_F(FailedSave, ColourNoReaderTakesKeepsTheOldFile) {
  const std::string old = PatternFileBytes(2, Uneven);
  const std::string path = WriteTemp("writer_kept.q", old);
  document.cube.live[CellIndex(B, 2, 1)] = 7;
  EXPECT_FALSE(SavePatternFile(path.c_str()));
  ExpectBox(path, "A facelet holds colour 7; colours run from 0 to 5.");
  EXPECT_EQ(ReadWhole(path), old);
  EXPECT_EQ(NamesStartingWith("plexaro_writer_kept.q").size(), 1u);
}

TEST_F(FailedSave, LongPathIsCutToFitTheBox) {
  const std::string path = TempPath(Repeat("long_folder_name/", 30) + "cube.q");
  EXPECT_FALSE(SavePatternFile(path.c_str()));
  ASSERT_EQ(recording.boxes.size(), 1u);
  const std::string& text = recording.boxes[0].text;
  EXPECT_EQ(text.size(), static_cast<size_t>(kTextCapacity - 1));
  EXPECT_EQ(text.rfind("Cannot save the pattern to " + path.substr(0, 40), 0), 0u);
  EXPECT_NE(text.find("...\n" + std::string(std::strerror(ENOENT))), std::string::npos);
}

}  // namespace
