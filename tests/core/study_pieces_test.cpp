// The piece geometry against the model's own turns: every turn and rotation carries whole pieces onto
// pieces of the same kind and orbit, and keeps each corner's clockwise order.
#include <gtest/gtest.h>

#include "study/facelet_map.h"
#include "study/pieces.h"

namespace {

TEST(Pieces, CountsPerSize) {
  for (int n = 2; n <= kMaxSize; ++n) {
    const PieceSet& set = PiecesOf(n);
    int kinds[5] = {0, 0, 0, 0, 0};
    for (int k = 0; k < set.count; ++k) ++kinds[set.pieces[k].kind];
    EXPECT_EQ(kinds[kCornerPiece], 8) << n;
    EXPECT_EQ(kinds[kMiddleEdgePiece], n % 2 ? 12 : 0) << n;
    EXPECT_EQ(kinds[kWingPiece], 12 * (n - 2 - n % 2)) << n;
    EXPECT_EQ(kinds[kFixedCentrePiece], n % 2 ? 6 : 0) << n;
    EXPECT_EQ(kinds[kCentrePiece], 6 * ((n - 2) * (n - 2) - n % 2)) << n;
  }
}

TEST(Pieces, TurnsAndRotationsMoveWholePiecesWithinTheirOrbits) {
  for (int n = 2; n <= kMaxSize; ++n) {
    const PieceSet& set = PiecesOf(n);
    for (int op = kMapU; op <= kMapRotateDown; ++op) {
      const FaceletMap& map = OperationMap(op, n);
      for (int k = 0; k < set.count; ++k) {
        const Piece& to = set.pieces[k];
        const int source = set.pieceOfCell[map.from[to.cells[0]]];
        ASSERT_GE(source, 0);
        const Piece& from = set.pieces[source];
        EXPECT_EQ(from.kind, to.kind);
        EXPECT_EQ(from.orbit, to.orbit) << "size " << n << " operation " << op;
        // The same cyclic order of facelets: a turn twists a corner, it never mirrors it.
        int shift = 0;
        while (shift < from.count && from.cells[shift] != map.from[to.cells[0]]) ++shift;
        for (int c = 0; c < to.count; ++c)
          EXPECT_EQ(map.from[to.cells[c]], from.cells[(c + shift) % from.count])
              << "size " << n << " op " << op;
      }
    }
  }
}

}  // namespace
