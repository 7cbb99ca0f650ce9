// The symmetry group of a pattern: the geometry of the model's maps, the naming of every subgroup of the
// cube's symmetries, known patterns, and agreement with the totals of the symmetry count.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "study/pieces.h"
#include "study/symmetry_group.h"
#include "support/cube_helpers.h"

namespace {

typedef std::array<int, 3> Vector;

// A facelet's centre in doubled units about the cube's middle; with `normalOnly` its face's normal.
Vector Spot(int cell, int n, bool normalOnly = false) {
  int8_t normal[3], position[3];
  CellPosition(cell, n, normal, position);
  Vector q;
  for (int k = 0; k < 3; ++k) q[k] = (normalOnly ? 0 : 2 * position[k] - (n - 1)) + normal[k];
  return q;
}

Vector Act(const CubeSymmetry& s, const Vector& v) {
  Vector out;
  for (int i = 0; i < 3; ++i) out[i] = s.m[i][0] * v[0] + s.m[i][1] * v[1] + s.m[i][2] * v[2];
  return out;
}

std::string Words(const CubeSymmetry& s) {
  char words[kSymmetryWordsSize];
  DescribeSymmetry(s, words, sizeof words);
  return words;
}

// The 48 signed permutation matrices, all[0] the identity, with their products.
struct FullGroup {
  std::vector<CubeSymmetry> all;
  int product[48][48], inverse[48];
  FullGroup() {
    const int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& p : perms)
      for (int signs = 0; signs < 8; ++signs) {
        CubeSymmetry s = {};
        for (int i = 0; i < 3; ++i) s.m[i][p[i]] = static_cast<int8_t>(signs >> i & 1 ? -1 : 1);
        all.push_back(s);
      }
    for (int a = 0; a < 48; ++a)
      for (int b = 0; b < 48; ++b) {
        product[a][b] = IndexOf(ComposeSymmetries(all[a], all[b]));
        if (product[a][b] == 0) inverse[a] = b;
      }
  }
  int IndexOf(const CubeSymmetry& s) const {
    int k = 0;
    while (!SameSymmetry(all[k], s)) ++k;
    return k;
  }
  uint64_t Closure(uint64_t set) const {
    for (uint64_t grown = 0; grown != set;) {
      grown = set;
      for (int a = 0; a < 48; ++a)
        for (int b = 0; b < 48; ++b)
          if ((grown >> a & 1) && (grown >> b & 1)) set |= uint64_t{1} << product[a][b];
    }
    return set;
  }
};

// The full symmetry group of the cube has 98 subgroups in 33 classes of conjugates: one name for each class.
TEST(SymmetryGroup, EveryClassOfSubgroupsHasANameOfItsOwn) {
  const FullGroup oh;
  std::set<uint64_t> subgroups{1};
  for (std::vector<uint64_t> queue{1}; !queue.empty();) {
    const uint64_t group = queue.back();
    queue.pop_back();
    for (int k = 0; k < 48; ++k) {
      const uint64_t bigger = oh.Closure(group | uint64_t{1} << k);
      if (subgroups.insert(bigger).second) queue.push_back(bigger);
    }
  }
  EXPECT_EQ(subgroups.size(), 98u);
  std::map<std::string, std::set<uint64_t>> classOfName;  // the conjugates of the first group given each name
  for (uint64_t group : subgroups) {
    std::set<uint64_t> conjugates;
    std::vector<CubeSymmetry> elements;
    for (int g = 0; g < 48; ++g) {
      uint64_t image = 0;
      for (int k = 0; k < 48; ++k)
        if (group >> k & 1) image |= uint64_t{1} << oh.product[oh.product[oh.inverse[g]][k]][g];
      conjugates.insert(image);
      if (group >> g & 1) elements.push_back(oh.all[g]);
    }
    char name[80];
    NameSymmetryGroup(elements.data(), static_cast<int>(elements.size()), name, sizeof name);
    if (!classOfName.count(name)) classOfName[name] = conjugates;
    EXPECT_EQ(classOfName[name], conjugates) << name << " names groups of two classes";
  }
  std::set<std::string> bare;
  for (const auto& entry : classOfName) bare.insert(entry.first.substr(0, entry.first.find(' ')));
  EXPECT_EQ(classOfName.size(), 33u);
  EXPECT_EQ(bare, (std::set<std::string>{"C1", "C2", "C2h", "C2v", "C3",  "C3v", "C4",  "C4h", "C4v",
                                         "Ci", "Cs", "D2",  "D2d", "D2h", "D3",  "D3d", "D4",  "D4h",
                                         "O",  "Oh", "S4",  "S6",  "T",   "Td",  "Th"}));
}

void Turn(const char* moves) {
  std::istringstream tokens(moves);
  for (std::string token; tokens >> token;) {
    MoveToken move;
    ASSERT_TRUE(ParseMoveToken(token.c_str(), &move)) << token;
    TurnLayer(document.cube, move.layer, move.quarterTurns);
  }
}

// Finds the group, checks that it changed nothing and is closed, then that the count's box shows its totals.
SymmetryReport Check(RecordingPlatform& recording, const std::string& what) {
  const std::vector<int32_t> pattern = UsedCells();
  const uint32_t state = document.random.state;
  static SymmetryReport report;
  FindSymmetryGroup(document.cube, document.random, &report);
  EXPECT_EQ(UsedCells(), pattern) << what;
  EXPECT_EQ(document.random.state, state) << what;
  std::set<std::string> kept(report.words, report.words + report.symmetries);
  for (int a = 0; a < report.symmetries; ++a)
    for (int b = 0; b < report.symmetries; ++b)
      EXPECT_TRUE(kept.count(Words(ComposeSymmetries(report.kept[a], report.kept[b]))))
          << what << ": not closed";
  recording.boxes.clear();
  platform = &recording;
  CountSymmetries();
  char text[64];
  std::snprintf(text, sizeof text, "Total C: %2d   Total M: %2d  ", report.totalC, report.totalM);
  EXPECT_EQ(recording.boxes.size() == 1 ? recording.boxes[0].text : "", text) << what;
  Restore(pattern);
  document.random.state = state;
  return report;
}

// For a pattern the count need not turn to normalise: each of the 48 motions, colours following the
// faces, checked facelet by facelet against the symmetries kept.
std::string KeptByGeometry(const SymmetryReport& report) {
  const int n = document.cube.size;
  std::map<Vector, int> cellAt, faceOf;
  ForEachUsedCell(n, [&](int cell) {
    cellAt[Spot(cell, n)] = cell;
    faceOf[Spot(cell, n, true)] = cell / kFaceStride;
  });
  std::string wrong;
  for (const CubeSymmetry& s : FullGroup().all) {
    bool keeps = true;
    for (const auto& [spot, cell] : cellAt) {
      const int colour = document.cube.live[cell];
      keeps = keeps && document.cube.live[cellAt[Act(s, spot)]] ==
                           faceOf[Act(s, Spot(CellIndex(colour, 0, 0), n, true))];
    }
    bool kept = false;
    for (int k = 0; k < report.symmetries; ++k) kept = kept || SameSymmetry(report.kept[k], s);
    if (kept != keeps) wrong += Words(s) + (keeps ? " is missing; " : " is kept wrongly; ");
  }
  return wrong;
}

TEST(SymmetryGroup, SolvedCubeHasEveryOneOfTheFortyEight) {
  RecordingPlatform recording;
  for (int n = 2; n <= kMaxSize; ++n) {
    StartFresh(recording, static_cast<int16_t>(n));
    const SymmetryReport report = Check(recording, "solved");
    EXPECT_EQ(report.symmetries, 48);
    EXPECT_EQ(report.rotations, 24);
    EXPECT_EQ(std::string(report.group), "Oh");
    EXPECT_EQ(std::string(report.words[0]), "identity");
  }
}

TEST(SymmetryGroup, KnownThreeCubePatterns) {
  const struct {
    const char *name, *moves, *group;
    int rotations;
  } cases[] = {
      {"superflip", "U R2 F B R B2 R U2 L B2 R U' D' R2 F R' L B2 U2 F2", "Oh", 24},
      {"pons asinorum", "R2 L2 U2 D2 F2 B2", "Oh", 24},
      // A corner block twisted about its diagonal: the turns about that diagonal keep it, and with
      // colours following the faces so does the central inversion, which swaps it for its complement.
      {"cube in a cube", "F L F U' R U F2 L2 U' L' B D' B' L2 U", "S6", 3},
      // The centres stand turned a third about a corner diagonal: what commutes with that turn.
      {"six spots", "U D' R L' F B' U D'", "S6", 3},
      {"one quarter turn", "U", "C4", 4},
      {"half turn", "U2", "C4v", 4},
      {"U D", "U D", "D4", 8},
  };
  RecordingPlatform recording;
  for (const auto& test : cases) {
    StartFresh(recording, 3);
    Turn(test.moves);
    const SymmetryReport report = Check(recording, test.name);
    EXPECT_EQ(KeptByGeometry(report), "") << test.name;
    EXPECT_EQ(std::string(report.group), test.group) << test.name;
    EXPECT_EQ(report.rotations, test.rotations) << test.name;
  }
}

// The words are those of the pattern as shown: a quarter turn of U, then the whole cube turned to put U
// at B. Whole-cube y (the sense of U) carries F's facelets to L, x (the sense of R) carries F's to U.
TEST(SymmetryGroup, WordsFollowThePatternAsShown) {
  RecordingPlatform recording;
  StartFresh(recording, 3);
  Turn("U");
  RotateUp(document.cube);
  const SymmetryReport report = Check(recording, "U seen from below");
  EXPECT_EQ(std::set<std::string>(report.words, report.words + report.symmetries),
            (std::set<std::string>{"identity", "half turn about the F-B axis",
                                   "quarter turn about the F-B axis, clockwise seen from F",
                                   "quarter turn about the F-B axis, clockwise seen from B"}));
  // Cube in a cube, its block at U-F-R, turned by y then x: the block's diagonal now ends at U-B-L.
  StartFresh(recording, 3);
  Turn("F L F U' R U F2 L2 U' L' B D' B' L2 U");
  Apply({RotateLeft, RotateUp});
  const SymmetryReport turned = Check(recording, "cube in a cube turned");
  EXPECT_EQ(std::string(turned.words[1]).substr(0, 47), "third turn about the U-B-L to D-F-R corner axis");
  EXPECT_EQ(Words(SymmetryOfMap(3, OperationMap(kMapRotateLeft, 3))),
            "quarter turn about the U-D axis, clockwise seen from U");
  EXPECT_EQ(Words(SymmetryOfMap(4, OperationMap(kMapRotateUp, 4))),
            "quarter turn about the R-L axis, clockwise seen from R");
  EXPECT_EQ(Words(SymmetryOfMap(2, OperationMap(kMapReflectRightLeft, 2))),
            "mirror in the plane between R and L");
}

// Cubies in a three-dimensional chessboard, those of the U-F-R corner's colour showing their own faces'
// colours and the others the opposite ones. On odd cubes every symmetry keeps it (pons asinorum); on
// even ones a mirror between two faces swaps its colours, which leaves the symmetries with an even
// number of axes reversed: Td.
TEST(SymmetryGroup, Checkerboards) {
  const int kOpposite[6] = {D, R, B, L, F, U};
  RecordingPlatform recording;
  for (int n : {3, 4}) {
    StartFresh(recording, static_cast<int16_t>(n));
    ForEachUsedCell(n, [&](int cell) {
      int8_t normal[3], at[3];
      CellPosition(cell, n, normal, at);
      const int face = cell / kFaceStride;
      document.cube.live[cell] = document.cube.shadow[cell] =
          (at[0] + at[1] + at[2] - 3 * (n - 1)) % 2 ? kOpposite[face] : face;
    });
    const SymmetryReport report = Check(recording, "checkerboard");
    EXPECT_EQ(KeptByGeometry(report), "");
    EXPECT_EQ(std::string(report.group), n == 3 ? "Oh" : "Td");
  }
}

// Patterns of every kind the program can hold: short and long sequences of turns, rotations and
// reflections, pattern files of one to six colours laid face by face or at random, and generator
// states at random.
TEST(SymmetryGroup, TotalsAgreeWithTheCountOnRandomPatterns) {
  const Operation operations[] = {QuarterTurnU, QuarterTurnL, QuarterTurnF, QuarterTurnR,   QuarterTurnB,
                                  QuarterTurnD, HalfTurnU,    HalfTurnF,    HalfTurnR,      TurnColumnSlice,
                                  TurnRowSlice, RotateLeft,   RotateUp,     ReflectCentral, ReflectRightLeft};
  RecordingPlatform recording;
  Lcg lcg{2024};
  std::set<std::string> groups;
  for (int trial = 0; trial < 540; ++trial) {
    const int n = 2 + trial % 9, kind = trial / 9 % 3;
    StartFresh(recording, static_cast<int16_t>(n));
    if (kind == 0) {
      for (int length = lcg.Next() % (trial % 2 ? 4 : 40); length > 0; --length)
        operations[lcg.Next() % 15](document.cube);
    } else {
      const int colours = 1 + lcg.Next() % 6;
      int byFace[6];
      for (int& colour : byFace) colour = lcg.Next() % colours;
      const std::string bytes = PatternFileBytes(
          n, [&](int face, int, int) { return kind == 1 ? byFace[face] : lcg.Next() % colours; });
      static PatternData data;
      char problem[128];
      TextStream stream;
      OpenMemoryStream(&stream, bytes.data(), bytes.size());
      ASSERT_TRUE(ReadPatternFile(&stream, &data, problem, sizeof problem));
      int at = 0;
      ForEachUsedCell(
          n, [&](int cell) { document.cube.live[cell] = document.cube.shadow[cell] = data.colours[at++]; });
    }
    document.random.state = static_cast<uint32_t>(lcg.Next()) << 16 ^ static_cast<uint32_t>(lcg.Next());
    groups.insert(Check(recording, "trial " + std::to_string(trial)).group);
  }
  EXPECT_GE(groups.size(), 10u);  // 12 at this seed: the trials reach well beyond C1 and Oh
}

}  // namespace
