// The symmetry group of a pattern: the geometry of the model's maps, the naming of every subgroup of the
// cube's symmetries, known patterns, and agreement with the totals of the symmetry count.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "study/pieces.h"
#include "study/symmetry_group.h"
#include "support/cube_helpers.h"

namespace {

// Facelet centres in doubled units about the cube's middle, so that every symmetry maps them exactly.
void Spot(int cell, int n, int q[3]) {
  int8_t normal[3], position[3];
  CellPosition(cell, n, normal, position);
  for (int k = 0; k < 3; ++k) q[k] = 2 * position[k] - (n - 1) + normal[k];
}

void Act(const CubeSymmetry& s, const int v[3], int out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = s.m[i][0] * v[0] + s.m[i][1] * v[1] + s.m[i][2] * v[2];
}

std::string Words(const CubeSymmetry& s) {
  char words[kSymmetryWordsSize];
  DescribeSymmetry(s, words, sizeof words);
  return words;
}

TEST(SymmetryGroup, WholeCubeMapsAreTheMotionsTheirMatricesSay) {
  for (int n = 2; n <= kMaxSize; ++n)
    for (int op = kMapRotateLeft; op <= kMapStepDown; ++op) {
      const FaceletMap& map = OperationMap(op, n);
      const CubeSymmetry s = SymmetryOfMap(n, map);
      ForEachUsedCell(n, [&](int cell) {
        int to[3], from[3], moved[3];
        Spot(cell, n, to);
        Spot(map.from[cell], n, from);
        Act(s, from, moved);
        EXPECT_TRUE(to[0] == moved[0] && to[1] == moved[1] && to[2] == moved[2]) << "N " << n << " op " << op;
      });
    }
  // Whole-cube y (the sense of U) carries F's facelets to L, x (the sense of R) carries F's to U.
  EXPECT_EQ(Words(SymmetryOfMap(3, OperationMap(kMapRotateLeft, 3))),
            "quarter turn about the U-D axis, clockwise seen from U");
  EXPECT_EQ(Words(SymmetryOfMap(4, OperationMap(kMapRotateUp, 4))),
            "quarter turn about the R-L axis, clockwise seen from R");
  EXPECT_EQ(Words(SymmetryOfMap(5, OperationMap(kMapReflectCentral, 5))), "central inversion");
  EXPECT_EQ(Words(SymmetryOfMap(2, OperationMap(kMapReflectRightLeft, 2))),
            "mirror in the plane between R and L");
}

// All 48 signed permutation matrices.
std::vector<CubeSymmetry> AllSymmetries() {
  std::vector<CubeSymmetry> all;
  const int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& p : perms)
    for (int signs = 0; signs < 8; ++signs) {
      CubeSymmetry s = {};
      for (int i = 0; i < 3; ++i) s.m[i][p[i]] = static_cast<int8_t>(signs >> i & 1 ? -1 : 1);
      all.push_back(s);
    }
  return all;
}

int IndexOf(const std::vector<CubeSymmetry>& all, const CubeSymmetry& s) {
  for (size_t k = 0; k < all.size(); ++k)
    if (SameSymmetry(all[k], s)) return static_cast<int>(k);
  return -1;
}

uint64_t Closure(const std::vector<CubeSymmetry>& all, uint64_t set) {
  for (bool grew = true; grew;) {
    grew = false;
    for (int a = 0; a < 48; ++a)
      for (int b = 0; b < 48; ++b)
        if ((set >> a & 1) && (set >> b & 1)) {
          const uint64_t c = uint64_t{1} << IndexOf(all, ComposeSymmetries(all[a], all[b]));
          if (!(set & c)) set |= c, grew = true;
        }
  }
  return set;
}

std::string GroupName(const std::vector<CubeSymmetry>& all, uint64_t set) {
  std::vector<CubeSymmetry> elements;
  for (int k = 0; k < 48; ++k)
    if (set >> k & 1) elements.push_back(all[k]);
  char name[80];
  NameSymmetryGroup(elements.data(), static_cast<int>(elements.size()), name, sizeof name);
  return name;
}

// The full symmetry group of the cube has 98 subgroups in 33 classes of conjugates: one name for each class.
TEST(SymmetryGroup, EveryClassOfSubgroupsHasANameOfItsOwn) {
  const std::vector<CubeSymmetry> all = AllSymmetries();
  std::set<uint64_t> subgroups{1};  // the identity is all[0]
  for (std::vector<uint64_t> queue{1}; !queue.empty();) {
    const uint64_t group = queue.back();
    queue.pop_back();
    for (int k = 0; k < 48; ++k)
      if (subgroups.insert(Closure(all, group | uint64_t{1} << k)).second)
        queue.push_back(Closure(all, group | uint64_t{1} << k));
  }
  EXPECT_EQ(subgroups.size(), 98u);
  std::map<std::string, uint64_t> classOfName;  // the conjugates of the first group given each name
  for (uint64_t group : subgroups) {
    uint64_t conjugates = 0;
    for (const CubeSymmetry& g : all) {
      CubeSymmetry inverse;
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) inverse.m[i][j] = g.m[j][i];
      uint64_t image = 0;
      for (int k = 0; k < 48; ++k)
        if (group >> k & 1)
          image |= uint64_t{1} << IndexOf(all, ComposeSymmetries(ComposeSymmetries(inverse, all[k]), g));
      conjugates |= uint64_t{1} << std::distance(subgroups.begin(), subgroups.find(image));
    }
    const std::string name = GroupName(all, group);
    EXPECT_EQ(name.find("no group"), std::string::npos);
    if (!classOfName.count(name)) classOfName[name] = conjugates;
    EXPECT_EQ(classOfName[name], conjugates) << name << " names groups of two classes";
  }
  EXPECT_EQ(classOfName.size(), 33u);
  std::set<std::string> bare;
  for (const auto& entry : classOfName) bare.insert(entry.first.substr(0, entry.first.find(' ')));
  EXPECT_EQ(bare, (std::set<std::string>{"C1", "C2", "C2h", "C2v", "C3",  "C3v", "C4",  "C4h", "C4v",
                                         "Ci", "Cs", "D2",  "D2d", "D2h", "D3",  "D3d", "D4",  "D4h",
                                         "O",  "Oh", "S4",  "S6",  "T",   "Td",  "Th"}));
}

void Turn(const char* moves) {
  std::istringstream tokens(moves);
  for (std::string token; tokens >> token;) {
    MoveToken move;
    ASSERT_TRUE(ParseMoveToken(token.c_str(), &move)) << token;
    TurnLayer(move.layer, move.quarterTurns, liveCube, shadowCube);
  }
}

// Finds the group, checks it changed nothing and forms a group, then checks its totals against the count's
// box.
SymmetryReport Check(RecordingPlatform& recording, const std::string& what) {
  const std::vector<int32_t> pattern = UsedCells();
  const uint32_t state = randomState;
  static SymmetryReport report;
  FindSymmetryGroup(&report);
  EXPECT_EQ(UsedCells(), pattern) << what;
  EXPECT_EQ(randomState, state) << what;
  for (int a = 0; a < report.symmetries; ++a)
    for (int b = 0; b < report.symmetries; ++b) {
      const CubeSymmetry c = ComposeSymmetries(report.kept[a], report.kept[b]);
      int k = 0;
      while (k < report.symmetries && !SameSymmetry(report.kept[k], c)) ++k;
      EXPECT_LT(k, report.symmetries) << what << ": not closed";
    }
  recording.boxes.clear();
  platform = &recording;
  CountSymmetries(liveCube, shadowCube);
  char text[64];
  std::snprintf(text, sizeof text, "Total C: %2d   Total M: %2d  ", report.totalC, report.totalM);
  EXPECT_EQ(recording.boxes.size() == 1 ? recording.boxes[0].text : "", text) << what;
  Restore(pattern);
  randomState = state;
  return report;
}

// With the centres at home the pattern is shown as normalised: each of the 48 motions, colours
// following the faces, checked facelet by facelet against the symmetries kept.
std::string KeptByGeometry(const SymmetryReport& report) {
  const int n = cubeSize;
  std::string wrong;
  for (const CubeSymmetry& s : AllSymmetries()) {
    bool keeps = true;
    ForEachUsedCell(n, [&](int cell) {
      int q[3], moved[3], at[3];
      Spot(cell, n, q);
      Act(s, q, moved);
      int colour = liveCube[cell], normal[3] = {0, 0, 0}, turned[3];
      normal[colour == L || colour == R   ? 0
             : colour == U || colour == D ? 1
                                          : 2] = colour == L || colour == D || colour == B ? -1 : 1;
      Act(s, normal, turned);
      ForEachUsedCell(n, [&](int other) {
        Spot(other, n, at);
        if (at[0] == moved[0] && at[1] == moved[1] && at[2] == moved[2])
          for (int face = 0; face < 6; ++face) {
            int8_t faceNormal[3], position[3];
            CellPosition(CellIndex(face, 0, 0), n, faceNormal, position);
            if (faceNormal[0] == turned[0] && faceNormal[1] == turned[1] && faceNormal[2] == turned[2])
              keeps = keeps && liveCube[other] == face;
          }
      });
    });
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
    const char* name;
    const char* moves;
    const char* group;
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

// The words are those of the pattern as shown: a quarter turn of U, then the whole cube turned to put U at B.
TEST(SymmetryGroup, WordsFollowThePatternAsShown) {
  RecordingPlatform recording;
  StartFresh(recording, 3);
  Turn("U");
  RotateUp(liveCube, shadowCube);
  const SymmetryReport report = Check(recording, "U seen from below");
  std::set<std::string> words(report.words, report.words + report.symmetries);
  EXPECT_EQ(words, (std::set<std::string>{"identity", "half turn about the F-B axis",
                                          "quarter turn about the F-B axis, clockwise seen from F",
                                          "quarter turn about the F-B axis, clockwise seen from B"}));
}

// Cubies in a three-dimensional chessboard, those of the U-F-R corner's colour showing their own faces'
// colours and the others the opposite ones. On odd cubes every symmetry keeps the chessboard (pons
// asinorum); on even ones a mirror between two faces swaps its colours, which leaves the symmetries with
// an even number of axes reversed: Td.
TEST(SymmetryGroup, Checkerboards) {
  const int kOpposite[6] = {D, R, B, L, F, U};
  RecordingPlatform recording;
  for (int n : {3, 4}) {
    StartFresh(recording, static_cast<int16_t>(n));
    ForEachUsedCell(n, [&](int cell) {
      int8_t normal[3], at[3];
      CellPosition(cell, n, normal, at);
      const int face = cell / kFaceStride;
      liveCube[cell] = shadowCube[cell] = (at[0] + at[1] + at[2] - 3 * (n - 1)) % 2 ? kOpposite[face] : face;
    });
    const std::vector<int32_t> chessboard = UsedCells();
    const SymmetryReport report = Check(recording, "checkerboard");
    EXPECT_EQ(KeptByGeometry(report), "");
    EXPECT_EQ(std::string(report.group), n == 3 ? "Oh" : "Td");
    if (n == 3) {
      StartFresh(recording, 3);
      Turn("R2 L2 U2 D2 F2 B2");
      EXPECT_EQ(UsedCells(), chessboard);
    }
  }
}

// Patterns of every kind the program can hold: short and long sequences of turns, rotations and
// reflections, pattern files of one to six colours laid at random or face by face, and generator
// states at random.
TEST(SymmetryGroup, TotalsAgreeWithTheCountOnRandomPatterns) {
  const Operation operations[] = {QuarterTurnU, QuarterTurnL, QuarterTurnF, QuarterTurnR,   QuarterTurnB,
                                  QuarterTurnD, HalfTurnU,    HalfTurnF,    HalfTurnR,      TurnColumnSlice,
                                  TurnRowSlice, RotateLeft,   RotateUp,     ReflectCentral, ReflectRightLeft};
  RecordingPlatform recording;
  Lcg lcg{2024};
  std::set<std::string> groups;
  for (int trial = 0; trial < 540; ++trial) {
    const int n = 2 + trial % 9;
    StartFresh(recording, static_cast<int16_t>(n));
    const int kind = trial / 9 % 3;
    if (kind == 0) {
      for (int length = lcg.Next() % (trial % 2 ? 4 : 40); length > 0; --length)
        operations[lcg.Next() % 15](liveCube, shadowCube);
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
      ForEachUsedCell(n, [&](int cell) { liveCube[cell] = shadowCube[cell] = data.colours[at++]; });
    }
    randomState = static_cast<uint32_t>(lcg.Next()) << 16 ^ static_cast<uint32_t>(lcg.Next());
    groups.insert(Check(recording, "trial " + std::to_string(trial)).group);
  }
  EXPECT_GE(groups.size(), 10u);
}

}  // namespace
