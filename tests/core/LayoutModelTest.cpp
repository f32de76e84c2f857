#include "catalog/TrackCatalog.h"
#include "model/Layout.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(LayoutJoints, JoinIsWrittenOnBothSidesAndFreedOnBoth) {
    Layout layout;
    PlacedPiece a = makePlacedPiece("24188");
    a.id = layout.takeId();
    PlacedPiece b = makePlacedPiece("24188");
    b.id = layout.takeId();
    layout.pieces = {a, b};
    ASSERT_TRUE(layout.join(a.id, 1, b.id, 0));
    EXPECT_EQ(layout.findPiece(a.id)->joints[1].target, b.id);
    EXPECT_EQ(layout.findPiece(b.id)->joints[0].targetConn, 1);
    layout.freeConnector(b.id, 0);
    EXPECT_TRUE(layout.findPiece(a.id)->joints[1].isFree());
    EXPECT_TRUE(layout.findPiece(b.id)->joints[0].isFree());
}
