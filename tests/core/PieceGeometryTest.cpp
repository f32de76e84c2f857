#include "core/render/PieceGeometry.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/Snap.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plandor;

namespace {

// The tables round connector values; the diagonal of 8560 ends 0.33 mm from its connector 3
// because the band runs at the stated crossing angle.
constexpr double kEndTolerance = 0.5;

// Direction of travel along a band at its start (t = 0) or end (t = 1).
double bandHeading(const TrackBand& band, double t) {
    return band.start.heading + (band.curved ? t * band.angle : 0.0);
}

// Whether connector c is an end of one of the bands: at its position, facing out of it.
bool connectorEndsABand(const TrackBands& bands, const ConnectorDef& c) {
    for (int i = 0; i < bands.count; ++i) {
        const TrackBand& b = bands.band[i];
        for (double t : {0.0, 1.0}) {
            const Point p = bandPoint(b, t, 0);
            const double outward = bandHeading(b, t) + (t == 0.0 ? 180.0 : 0.0);
            if (std::hypot(p.x - c.x, p.y - c.y) < kEndTolerance &&
                headingDifference(outward, c.heading) < 0.1)
                return true;
        }
    }
    return false;
}

} // namespace

// Every connector of every catalogue piece with bands is where one of its bands starts or
// ends, facing out of it: the drawn track meets its neighbours where joining puts them.
TEST(PieceBands, EveryCatalogueConnectorEndsABand) {
    const TrackCatalog& catalog = TrackCatalog::instance();
    ASSERT_GT(catalog.count(), 100);
    for (const PieceDef& def : catalog.pieces()) {
        if (def.kind == PieceKind::Turntable)
            continue;
        const TrackBands bands = trackBands(def);
        ASSERT_GT(bands.count, 0) << def.partNumber;
        for (const ConnectorDef& c : def.connectors)
            EXPECT_TRUE(connectorEndsABand(bands, c)) << def.partNumber << " connector " << c.index
                                                      << " at (" << c.x << ", " << c.y << ")";
    }
}

// The extent used to skip pieces off screen must hold everything drawn in millimetres.
TEST(PieceBounds, HoldEveryBandOutlineOfEveryCataloguePiece) {
    for (const PieceDef& def : TrackCatalog::instance().pieces()) {
        const Bounds box = pieceLocalBounds(def);
        std::vector<Point> pts;
        const TrackBands bands = trackBands(def);
        const TrackBands slips = slipCurves(def);
        for (const TrackBands* set : {&bands, &slips})
            for (int i = 0; i < set->count; ++i)
                appendBandOutline(set->band[i], trackHalfWidth(def), pts);
        for (const ConnectorDef& c : def.connectors)
            pts.push_back(Point{c.x, c.y});
        if (def.kind == PieceKind::Turntable) {
            pts.push_back(Point{-def.length / 2, 0});
            pts.push_back(Point{0, def.length / 2});
        }
        for (const Point& p : pts)
            EXPECT_TRUE(p.x >= box.minX - 1e-9 && p.x <= box.maxX + 1e-9 &&
                        p.y >= box.minY - 1e-9 && p.y <= box.maxY + 1e-9)
                << def.partNumber << " (" << p.x << ", " << p.y << ")";
    }
}
