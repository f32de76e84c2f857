#include "elevation/Heights.h"
#include "catalog/TrackCatalog.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

TEST(Heights, RunLengthByKindOfPiece) {
    PieceDef shortCurve = TrackCatalog::makeCurve(CTrack, "c", "c", 0.5, 30);
    struct Case {
        const char* name;
        const PieceDef* def;
        double expected;
    };
    const Case cases[] = {
        {"straight: its length", TrackCatalog::instance().find("24188"), 188.3},
        {"R1 30-degree curve: connector 1's x, not the arc", TrackCatalog::instance().find("24130"),
         180.0},
        {"curve whose connector 1 lies within 1 mm: its length", &shortCurve,
         0.5 * 3.141592653589793 / 6},
        {"no definition", nullptr, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(pieceRunLength(c.def), c.expected, 1e-9);
    }
}

TEST(Heights, HeightAtEachConnector) {
    const PieceDef straight = TrackCatalog::makeStraight(CTrack, "s", "s", 180);
    PlacedPiece p;
    p.z = 10;
    p.grade = 3;
    EXPECT_DOUBLE_EQ(heightAtConnector(p, &straight, 0), 10);
    EXPECT_NEAR(heightAtConnector(p, &straight, 1), 10 + 9.4204, 1e-4);
    p.reversed = true;
    EXPECT_NEAR(heightAtConnector(p, &straight, 1), 10 - 9.4204, 1e-4);
    EXPECT_DOUBLE_EQ(heightAtConnector(p, nullptr, 1), 10);
}

TEST(Heights, FlatUpToOneThousandthOfADegree) {
    PlacedPiece p;
    p.grade = -0.001;
    EXPECT_FALSE(isGraded(p));
    p.grade = 0.0011;
    EXPECT_TRUE(isGraded(p));
}
