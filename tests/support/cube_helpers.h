// Helpers the core tests share: the used cells, solved starts, the generator, temporary files and input
// read from memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cube/cube.h"
#include "files/input_files.h"
#include "support/recording_platform.h"

// Every layer turn, rotation and reflection has this shape.
typedef void (*Operation)(Cube&);

// The live cube's used cells, face by face and row by row.
inline std::vector<int32_t> UsedCells() {
  std::vector<int32_t> cells;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column)
        cells.push_back(document.cube.live[CellIndex(face, row, column)]);
  return cells;
}

// Whether storage cell `cell` is one of the n by n squares a face uses.
inline bool IsUsedCell(int cell, int n) { return cell % kFaceStride / kMaxSize < n && cell % kMaxSize < n; }

// Puts cells taken by UsedCells back into both copies.
inline void Restore(const std::vector<int32_t>& cells) {
  size_t at = 0;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column, ++at)
        document.cube.live[CellIndex(face, row, column)] =
            document.cube.shadow[CellIndex(face, row, column)] = cells[at];
}

inline void Apply(const std::vector<Operation>& operations) {
  for (Operation operation : operations) operation(document.cube);
}

// The solved cube of size n in both copies, and nothing else of the start-up state.
inline void StartSolved(int n) {
  document.cube.size = static_cast<int16_t>(n);
  FillSolved(document.cube);
  SyncCopies(document.cube);
}

// A copy of the program's generator, so that draws can be counted and states crafted.
struct Lcg {
  uint32_t state;
  int32_t Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
  }
};

// The solved cube of size n after 40·N random single-layer turns and a random whole-cube rotation, all
// made by the general layer turn: the big-cube solver's test and benchmark patterns.
inline void RandomLayerPattern(int n, Lcg& lcg) {
  StartSolved(n);
  for (int k = 0; k < 40 * n; ++k) {
    const int layer = 1 + lcg.Next() % n;
    TurnBlock(document.cube, static_cast<Face>(lcg.Next() % 6), static_cast<int16_t>(layer),
              static_cast<int16_t>(layer), static_cast<int16_t>(1 + lcg.Next() % 3));
  }
  TurnBlock(document.cube, static_cast<Face>(lcg.Next() % 6), 1, static_cast<int16_t>(n),
            static_cast<int16_t>(1 + lcg.Next() % 3));
  TurnBlock(document.cube, static_cast<Face>(lcg.Next() % 6), 1, static_cast<int16_t>(n), 1);
}

// The generator's state `draws` draws on from `state`.
inline uint32_t After(uint32_t state, int draws) {
  Lcg lcg{state};
  for (int k = 0; k < draws; ++k) lcg.Next();
  return lcg.state;
}

inline std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int k = 0; k < times; ++k) repeated += text;
  return repeated;
}

// A pattern file: the size byte, then the colour of every used cell, face by face and row by row.
inline std::string PatternFileBytes(int size, const std::function<int(int, int, int)>& colour) {
  std::string bytes(1, static_cast<char>(size));
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column) bytes += static_cast<char>(colour(face, row, column));
  return bytes;
}

// Runs a file reader (LoadPatternFile, LoadMoveFile) on bytes held in memory.
template <typename Reader>
auto LoadFromMemory(Reader reader, const std::string& bytes) {
  TextStream stream;
  OpenMemoryStream(&stream, bytes.data(), bytes.size());
  return reader(&stream);
}

inline std::string LogBytes() {
  return std::string(reinterpret_cast<const char*>(document.moveLog), sizeof document.moveLog);
}

inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + "plexaro_" + name; }

// A file's bytes, or none when it cannot be read.
inline std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Writes `bytes` to TempPath(name) and returns that path.
inline std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path = TempPath(name);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    ADD_FAILURE() << "cannot write " << path;
    return path;
  }
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

// A test that starts from the program's start-up state on its own recording seam.
class FreshStartTest : public ::testing::Test {
 protected:
  void SetUp() override { StartFresh(recording); }
  RecordingPlatform recording;
};
