#include "core/app/Tally.h"

#include "core/catalog/HelixVariants.h"
#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"

#include <cstring>

namespace plandor {

namespace {

struct DeckRow {
    const char* bridge;
    const char* deck[2]; // the second slot may repeat the first or be null
};

// The track that comes with each bridge or ramp, once per placed bridge piece.
constexpr DeckRow kDeckTable[] = {
    {"74636", {"24360", nullptr}}, {"74620", {"24188", nullptr}}, {"74623", {"24230", nullptr}},
    {"74613", {"24130", nullptr}}, {"74618", {"24188", "24172"}}, {"7263", {"2200", "2200"}},
    {"7262", {"2200", nullptr}},   {"7569", {"2221", nullptr}},   {"7267", {"2221", nullptr}},
    {"62636", {"62188", "62172"}}, {"62620", {"62188", nullptr}}, {"62623", {"62230", nullptr}},
    {"62613", {"62130", nullptr}}, {"8975", {"8505", nullptr}},   {"89759", {"8500", nullptr}},
    {"8976", {"8500", nullptr}},   {"8977", {"8510", nullptr}},
};

struct PerPiece {
    const char* part;
    int32_t count;
};

// Motors each turnout needs ("74491 Turnout Motor").
constexpr PerPiece kTurnoutMotors[] = {
    {"24611", 1}, {"24612", 1}, {"24671", 1}, {"24672", 1}, {"24711", 1},
    {"24712", 1}, {"24771", 1}, {"24772", 1}, {"24720", 1}, {"62611", 1},
    {"62612", 1}, {"62671", 1}, {"62672", 1}, {"24630", 2}, {"62630", 2},
};

// K-Track pieces that take one "75491 K-Track Motor" each.
constexpr PerPiece kKTrackMotors[] = {
    {"2261", 1}, {"2263", 1}, {"2264", 1}, {"2265", 1}, {"2266", 1}, {"2267", 1},
    {"2268", 1}, {"2269", 1}, {"2271", 1}, {"2272", 1}, {"2276", 1}, {"2277", 1},
};

struct DecoderRow {
    const char* part;
    const char* decoder;
};

constexpr const char* kDecoder = "74462";
constexpr const char* kDoubleSlipDecoder = "74467";

constexpr DecoderRow kDecoders[] = {
    {"24720", kDoubleSlipDecoder}, {"24611", kDecoder}, {"24612", kDecoder}, {"24630", kDecoder},
    {"24624", kDecoder},           {"24671", kDecoder}, {"24672", kDecoder}, {"24711", kDecoder},
    {"24712", kDecoder},           {"24771", kDecoder}, {"24772", kDecoder}, {"62611", kDecoder},
    {"62612", kDecoder},           {"62630", kDecoder}, {"62624", kDecoder}, {"62671", kDecoder},
    {"62672", kDecoder},
};

template <typename Row, std::size_t N>
const Row* findRow(const Row (&table)[N], const std::string& part) {
    for (const Row& row : table)
        if (part == row.part)
            return &row;
    return nullptr;
}

int32_t perPiece(const PerPiece* row) {
    return row ? row->count : 0;
}

const DeckRow* deckRowOf(const std::string& part) {
    for (const DeckRow& row : kDeckTable)
        if (part == row.bridge)
            return &row;
    return nullptr;
}

void addDeckTrack(CountMap& counts) {
    std::vector<std::pair<const DeckRow*, int32_t>> bridges;
    for (const auto& [part, count] : counts)
        if (const DeckRow* row = deckRowOf(part))
            bridges.emplace_back(row, count);
    for (const auto& [row, count] : bridges)
        for (const char* deck : row->deck)
            if (deck)
                addCount(counts, deck, count);
}

void addHelixCurves(CountMap& counts, const std::vector<Helix>& helices) {
    for (const Helix& helix : helices) {
        const HelixVariant* variant = findHelixVariant(helix.variant);
        if (!variant)
            variant = findHelixVariant(defaultHelixVariantId());
        if (!variant)
            continue;
        const int32_t curves = static_cast<int32_t>(variant->turns * 12);
        addCount(counts, variant->innerCurvePart, curves);
        addCount(counts, variant->outerCurvePart, curves);
    }
}

} // namespace

std::string tallyRowName(const std::string& part) {
    if (const PieceDef* def = TrackCatalog::instance().find(part))
        return def->description;
    if (const SceneryDef* def = SceneryCatalog::instance().find(part))
        return def->name;
    return part;
}

void addCount(CountMap& counts, const std::string& part, int32_t by) {
    // The key string is built only for a part not counted yet.
    auto it = counts.lower_bound(part);
    if (it != counts.end() && it->first == part)
        it->second += by;
    else
        counts.emplace_hint(it, part, by);
}

CountMap countPlacedPieces(const Layout& layout) {
    // Track is laid in runs of one part; a run goes into the map once.
    CountMap counts;
    const std::string* run = nullptr;
    int32_t length = 0;
    for (const PlacedPiece& piece : layout.pieces) {
        if (run && *run == piece.part) {
            ++length;
            continue;
        }
        if (run)
            addCount(counts, *run, length);
        run = &piece.part;
        length = 1;
    }
    if (run)
        addCount(counts, *run, length);
    return counts;
}

void addPurchasableScenery(CountMap& counts, const std::vector<SceneryItem>& scenery,
                           const ShopMap& shop) {
    for (const SceneryItem& item : scenery)
        if (shop.sells(item.item))
            addCount(counts, item.item, 1);
}

Recommendations recommendationsFor(const CountMap& counts) {
    Recommendations r;
    for (const auto& [part, count] : counts) {
        r.turnoutMotors += count * perPiece(findRow(kTurnoutMotors, part));
        r.kTrackMotors += count * perPiece(findRow(kKTrackMotors, part));
        if (const DecoderRow* row = findRow(kDecoders, part))
            (std::strcmp(row->decoder, kDoubleSlipDecoder) == 0 ? r.doubleSlipDecoders
                                                                : r.decoders) += count;
    }
    return r;
}

CountMap tallyCounts(const Layout& layout, const ShopMap& shop) {
    CountMap counts = countPlacedPieces(layout);
    addDeckTrack(counts);
    addPurchasableScenery(counts, layout.scenery, shop);
    addHelixCurves(counts, layout.helices);
    return counts;
}

TallyContent tallyContent(const Layout& layout, const ShopMap& shop) {
    TallyContent content;
    content.counts = tallyCounts(layout, shop);
    for (const auto& [part, count] : content.counts)
        content.rows.push_back({tallyRowName(part), std::to_string(count)});

    const Recommendations r = recommendationsFor(content.counts);
    if (!r.any())
        return content;
    content.rows.push_back({"We Recommend", "", true});
    const std::pair<const char*, int32_t> accessories[] = {
        {"74491 Turnout Motor", r.turnoutMotors},
        {"75491 K-Track Motor", r.kTrackMotors},
        {"74462 Decoder", r.decoders},
        {"74467 Decoder (24720)", r.doubleSlipDecoders},
    };
    for (const auto& [name, count] : accessories)
        if (count >= 1)
            content.rows.push_back({name, std::to_string(count)});
    return content;
}

} // namespace plandor
