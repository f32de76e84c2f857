#include "core/canvas/PaletteRows.h"
#include "core/base/FilePath.h"
#include "core/base/Folders.h"
#include "core/base/Translate.h"
#include "core/catalog/HelixVariants.h"
#include "core/model/BlockFile.h"
#include "core/model/PartLookup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace plandor {

const char* const kPaletteCaption = TR_NOOP("Double-click to place on canvas.");
const char* const kDeleteBlockMenuText = TR_NOOP("Delete...");
const char* const kHelixKeyPrefix = "@helix:";
const char* const kHeaderPrefix = "--- ";

namespace {

// Chooser order of the track systems.
constexpr uint32_t kChooserSystems[kChooserCount] = {CTrack, KTrack, TrixCTrack, ZTrack};

struct TrackCategory {
    const char* name;
    std::vector<const char*> parts;
};

// The helix variants follow the last C-Track category under this header.
const char* const kHelixCategory = TR_NOOP("Helix");

const std::vector<TrackCategory>& cTrackCategories() {
    static const std::vector<TrackCategory> categories = {
        {TR_NOOP("Straights"),
         {"24064", "24071", "24077", "24094", "24172", "24188", "24229", "24236", "24360"}},
        {TR_NOOP("Curves"),
         {"24130", "24115", "24107", "24230", "24294", "24224", "24215", "24207", "24206", "24330",
          "24315", "24430", "24530", "24912"}},
        {TR_NOOP("Switches"), {"24611", "24612", "24671", "24672", "24630"}},
        {TR_NOOP("Crossings"), {"24640", "24649", "24740"}},
        {TR_NOOP("Double Slip Switches"), {"24624", "24720"}},
        {TR_NOOP("Slim Switches"), {"24711", "24712", "24771", "24772"}},
        {TR_NOOP("Circuit Tracks"), {"24994", "24294"}},
        {TR_NOOP("Other"), {"24997", "24977", "24978", "24922", "74862"}},
        {TR_NOOP("Bridges"), {"74636", "74620", "74623", "74613", "74618"}},
    };
    return categories;
}

const std::vector<TrackCategory>& kTrackCategories() {
    static const std::vector<TrackCategory> categories = {
        {TR_NOOP("Straights"),
         {"2200", "2201", "2202", "2203", "2204", "2205", "2206", "2207", "2208", "2209", "2293"}},
        {TR_NOOP("Special Track"), {"2290", "2291", "2292", "2295", "2297", "2299"}},
        {TR_NOOP("Curves R0 (295.4mm)"), {"2210"}},
        {TR_NOOP("Curves R1 (360mm)"), {"2221", "2223", "2224", "2229"}},
        {TR_NOOP("Curves R2 (424.6mm)"), {"2231", "2232", "2233", "2234", "2235", "2239"}},
        {TR_NOOP("Curves Großkreis I (553.9mm)"), {"2241"}},
        {TR_NOOP("Curves Großkreis II (618.5mm)"), {"2251"}},
        {TR_NOOP("Curves (902.4mm)"), {"2274"}},
        {TR_NOOP("Crossings"), {"2257", "2258", "2259"}},
        {TR_NOOP("Turnouts"),
         {"2262", "2263", "2265", "2266", "2268", "2269", "2270", "22715", "22716"}},
        {TR_NOOP("Double Slip Switches"), {"2260", "2275"}},
        {TR_NOOP("Bumpers"), {"7389", "7391"}},
        {TR_NOOP("Bridges"), {"7263", "7262", "7569", "7267"}},
    };
    return categories;
}

const std::vector<TrackCategory>& trixCategories() {
    static const std::vector<TrackCategory> categories = {
        {TR_NOOP("Straights"),
         {"62064", "62071", "62077", "62094", "62172", "62188", "62229", "62236", "62360"}},
        {TR_NOOP("Curves R1 (360mm)"), {"62107", "62115", "62130"}},
        {TR_NOOP("Curves R2 (437.5mm)"), {"62206", "62207", "62215", "62224", "62230"}},
        {TR_NOOP("Curves R3 (515mm)"), {"62315", "62330"}},
        {TR_NOOP("Curves R9 (1114.6mm)"), {"62912"}},
        {TR_NOOP("Switches"), {"62611", "62612", "62671", "62672", "62630"}},
        {TR_NOOP("Double Slip Switches"), {"62624"}},
        {TR_NOOP("Other"), {"62977", "62997"}},
        {TR_NOOP("Bridges"), {"62636", "62620", "62623", "62613"}},
    };
    return categories;
}

const std::vector<TrackCategory>& zTrackCategories() {
    static const std::vector<TrackCategory> categories = {
        {TR_NOOP("Straights"), {"8500", "8501", "8502", "8503", "8504", "8505", "8506", "8507"}},
        {TR_NOOP("Curves R1 (145mm)"), {"8510", "8511"}},
        {TR_NOOP("Curves R2 (195mm)"), {"8520", "8521", "8529"}},
        {TR_NOOP("Curves R3 (220mm)"), {"8530", "8531", "8539"}},
        {TR_NOOP("Turnout Branch Curve"), {"8591"}},
        {TR_NOOP("Turnouts"), {"8562", "8563", "8565", "8566"}},
        {TR_NOOP("Curved Turnouts"), {"8568", "8569"}},
        {TR_NOOP("Crossings"), {"8559", "8560"}},
        {TR_NOOP("Other"), {"8587", "8588", "8590", "8598", "8991"}},
        {TR_NOOP("Bridges"), {"8975", "89759", "8976", "8977"}},
    };
    return categories;
}

const std::vector<TrackCategory>& categoriesOf(uint32_t system) {
    switch (system) {
    case KTrack:
        return kTrackCategories();
    case TrixCTrack:
        return trixCategories();
    case ZTrack:
        return zTrackCategories();
    default:
        return cTrackCategories();
    }
}

// The name is the English one: the header shows it in the user's language.
PaletteRow header(const std::string& name) {
    return {kHeaderPrefix + tr(name), ""};
}

bool listedOnSceneryPage(uint32_t category) {
    return category == Platforms || category == Stations || category == Bridges ||
           category == Nature || sceneryCategoryName(category) == "Other";
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() > tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

uint32_t systemOfChooserIndex(int index) {
    if (index < 0 || index >= kChooserCount)
        return CTrack;
    return kChooserSystems[index];
}

int chooserIndexOfSystem(uint32_t system) {
    for (int i = 0; i < kChooserCount; ++i)
        if (kChooserSystems[i] == system)
            return i;
    return -1;
}

std::vector<std::string> chooserLabels() {
    std::vector<std::string> labels;
    for (uint32_t system : kChooserSystems)
        labels.push_back(systemChooserLabel(system));
    return labels;
}

int chooserIndexForLayout(const Layout& layout, const TrackCatalog& catalog) {
    bool present[kChooserCount] = {};
    PartLookup parts(catalog);
    for (const PlacedPiece& piece : layout.pieces) {
        const PieceDef* def = parts.find(piece.part);
        if (!def)
            continue;
        const int index = chooserIndexOfSystem(def->system);
        if (index == 0)
            return 0; // nothing is preferred to the first
        if (index > 0)
            present[index] = true;
    }
    // The chooser order is also the order of preference.
    for (int i = 0; i < kChooserCount; ++i)
        if (present[i])
            return i;
    return 0;
}

bool hasSceneryPage(int chooserIndex) {
    return systemOfChooserIndex(chooserIndex) != ZTrack;
}

std::vector<PalettePageDef> palettePages(int chooserIndex) {
    std::vector<PalettePageDef> pages = {
        {PalettePage::Track, TR_NOOP("Track"), kTrackListId},
        {PalettePage::Library, TR_NOOP("Library"), kLibraryListId}};
    if (hasSceneryPage(chooserIndex))
        pages.push_back({PalettePage::Scenery, TR_NOOP("Scenery"), kSceneryListId});
    pages.push_back({PalettePage::Signals, TR_NOOP("Signals"), kSignalsListId});
    return pages;
}

bool isHelixKey(const std::string& key) {
    return key.rfind(kHelixKeyPrefix, 0) == 0;
}

std::string helixVariantOfKey(const std::string& key) {
    return isHelixKey(key) ? key.substr(std::string(kHelixKeyPrefix).size()) : std::string();
}

std::vector<PaletteRow> trackRows(int chooserIndex, const TrackCatalog& catalog) {
    const uint32_t system = systemOfChooserIndex(chooserIndex);
    std::vector<PaletteRow> rows;
    for (const TrackCategory& category : categoriesOf(system)) {
        rows.push_back(header(category.name));
        for (const char* part : category.parts)
            if (const PieceDef* def = catalog.find(part))
                rows.push_back({def->description, part});
    }
    if (system == CTrack) {
        rows.push_back(header(kHelixCategory));
        for (const HelixVariant& variant : helixVariants())
            rows.push_back({variant.name, kHelixKeyPrefix + variant.id});
    }
    return rows;
}

std::vector<PaletteRow> sceneryRows(const std::vector<SceneryDef>& defs) {
    std::vector<PaletteRow> rows;
    std::string lastCategory;
    for (const SceneryDef& def : defs) {
        if (!listedOnSceneryPage(def.category))
            continue;
        const std::string category = sceneryCategoryName(def.category);
        if (category != lastCategory)
            rows.push_back(header(category));
        lastCategory = category;
        rows.push_back({tr(def.name), def.id});
    }
    return rows;
}

std::string signalKind(const std::string& key) {
    if (key.find("semaphore") != std::string::npos)
        return TR_NOOP("Semaphore");
    if (key.find("color") != std::string::npos)
        return TR_NOOP("Color light");
    if (key.find("distant") != std::string::npos)
        return TR_NOOP("Distant");
    return TR_NOOP("Other");
}

std::vector<PaletteRow> signalRows(int chooserIndex, const std::vector<SceneryDef>& defs) {
    const bool zTrack = systemOfChooserIndex(chooserIndex) == ZTrack;
    std::vector<PaletteRow> rows;
    std::string lastKind;
    for (const SceneryDef& def : defs) {
        if (def.category != Signals || def.zScale != zTrack)
            continue;
        const std::string kind = signalKind(def.id);
        if (kind != lastKind)
            rows.push_back(header(kind));
        lastKind = kind;
        rows.push_back({tr(def.name), def.id});
    }
    return rows;
}

std::string libraryFolder(const std::string& applicationFolder, int chooserIndex) {
    return libraryFolder(applicationFolder, systemChooserLabel(systemOfChooserIndex(chooserIndex)));
}

std::vector<PaletteRow> libraryRows(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    fs::directory_iterator it(fsPath(folder), ec);
    if (ec)
        return {};
    for (const fs::directory_entry& entry : it) {
        std::error_code typeEc;
        const std::string name = utf8Path(entry.path().filename());
        if (entry.is_regular_file(typeEc) && endsWith(name, ".xml"))
            files.push_back(name);
    }
    // Directory order differs between file systems; name order keeps the list stable.
    std::sort(files.begin(), files.end());
    std::vector<PaletteRow> rows;
    for (const std::string& file : files)
        rows.push_back({file.substr(0, file.size() - 4), joinPath(folder, file)});
    return rows;
}

} // namespace plandor
