// Classes of raw values under symmetries: every value reaches its class's own value through the symmetry it
// is given, values of one class and only those share it, and each class knows the symmetries that keep it.
#include <gtest/gtest.h>

#include <set>

#include "solve/phase/sym_classes.h"

namespace {

// Six-bit strings under the rotations of a ring of six places: 14 necklaces.
uint32_t Rotate(uint32_t raw, int s) { return ((raw << s) | (raw >> (6 - s))) & 63; }

TEST(SolvePhaseSymClasses, NecklacesUnderRotation) {
  const int8_t inverse[6] = {0, 5, 4, 3, 2, 1};
  SymClasses classes;
  ASSERT_TRUE(classes.Build(64, 6, inverse, Rotate));
  EXPECT_EQ(14u, classes.Count());
  for (uint32_t raw = 0; raw < 64; ++raw) {
    const uint32_t cls = classes.ClassOf(raw);
    ASSERT_LT(cls, classes.Count());
    EXPECT_EQ(classes.RawOf(cls), Rotate(raw, classes.SymOf(raw))) << raw;
    // A class's values are exactly the rotations of its own.
    std::set<uint32_t> images;
    for (int s = 0; s < 6; ++s) images.insert(Rotate(classes.RawOf(cls), s));
    EXPECT_TRUE(images.count(raw)) << raw;
    for (uint32_t other = 0; other < 64; ++other)
      EXPECT_EQ(images.count(other) == 1, classes.ClassOf(other) == cls) << raw << " " << other;
  }
  // Classes are numbered as their first values appear, each named by it.
  for (uint32_t cls = 1; cls < classes.Count(); ++cls) EXPECT_LT(classes.RawOf(cls - 1), classes.RawOf(cls));
  for (uint32_t cls = 0; cls < classes.Count(); ++cls) {
    const uint32_t own = classes.RawOf(cls);
    for (int s = 0; s < 6; ++s) EXPECT_EQ(Rotate(own, s) == own, (classes.Stabiliser(cls) >> s & 1) == 1);
  }
  // 010101 is kept by the even rotations, 000000 by all.
  EXPECT_EQ(0x15u, classes.Stabiliser(classes.ClassOf(0x15)));
  EXPECT_EQ(0x3Fu, classes.Stabiliser(classes.ClassOf(0)));
}

TEST(SolvePhaseSymClasses, TheIdentityAloneLeavesEveryValueItsOwnClass) {
  const int8_t inverse[1] = {0};
  SymClasses classes;
  ASSERT_TRUE(classes.Build(10, 1, inverse, [](uint32_t raw, int) { return raw; }));
  EXPECT_EQ(10u, classes.Count());
  for (uint32_t raw = 0; raw < 10; ++raw) {
    EXPECT_EQ(raw, classes.ClassOf(raw));
    EXPECT_EQ(0, classes.SymOf(raw));
    EXPECT_EQ(1u, classes.Stabiliser(raw));
  }
}

}  // namespace
