#pragma once
// The piece tally: how many of each part the layout needs (with the deck track that comes
// with bridges and the curves of helices) and the accessories recommended for its turnouts.
// The properties panel shows the rows; Buy Track reuses the counting rules.

#include "core/app/ShopMap.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace plandor {

// Part number -> count, in plain byte-wise order of the part numbers.
using CountMap = std::map<std::string, int32_t>;

// Accessory counts derived from the turnouts, motors and slips of a count map.
struct Recommendations {
    int32_t turnoutMotors = 0;      // "74491 Turnout Motor"
    int32_t kTrackMotors = 0;       // "75491 K-Track Motor"
    int32_t decoders = 0;           // "74462 Decoder"
    int32_t doubleSlipDecoders = 0; // "74467 Decoder (24720)"

    bool any() const { return turnoutMotors + kTrackMotors + decoders + doubleSlipDecoders >= 1; }
};

Recommendations recommendationsFor(const CountMap& counts);

void addCount(CountMap& counts, const std::string& part, int32_t by);
// One count per placed piece, under its part number, known to the catalogue or not.
CountMap countPlacedPieces(const Layout& layout);
// Scenery whose type the shop sells counts like a piece.
void addPurchasableScenery(CountMap& counts, const std::vector<SceneryItem>& scenery,
                           const ShopMap& shop);

// The tally's counts: every placed piece (known or not) with its bridge deck track, the
// purchasable scenery and the ring curves of every helix.
CountMap tallyCounts(const Layout& layout, const ShopMap& shop);

// What a tally row calls a part: its catalogue description, else the scenery type's
// name, else the part number itself.
std::string tallyRowName(const std::string& part);

// One line of the tally list.
struct TallyRow {
    std::string piece;
    std::string count;
    bool emphasis = false; // the "We Recommend" heading: bold, in its own colour
};

struct TallyContent {
    CountMap counts; // the copy the panel keeps
    std::vector<TallyRow> rows;
};

// Everything the tally list shows, in order.
TallyContent tallyContent(const Layout& layout, const ShopMap& shop);

} // namespace plandor
