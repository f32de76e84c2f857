#pragma once
// What the palette lists: the track systems of its chooser, its pages, and the rows of each
// page (shown text plus the key the row hands to the canvas). The panel only shows them.

#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plandor {

// Control ids of the palette.
constexpr int kPaletteChooserId = 3000;
constexpr int kTrackListId = 3001;
constexpr int kLibraryListId = 3002;
constexpr int kSceneryListId = 3003;
constexpr int kSignalsListId = 3004;
constexpr int kDeleteBlockMenuId = 6001;

extern const char* const kPaletteCaption;      // "Double-click to place on canvas."
extern const char* const kDeleteBlockMenuText; // "Delete..."
// Prefix of the key of a helix row; the variant key follows it.
extern const char* const kHelixKeyPrefix; // "@helix:"
// Prefix of the text of a category header row.
extern const char* const kHeaderPrefix; // "--- "

// The chooser lists the systems in its own order: C-Track, K-Track, TRIX C-Track, Z-Track.
constexpr int kChooserCount = 4;
// Track system code of a chooser index (C-Track for an index out of range).
uint32_t systemOfChooserIndex(int index);
// Chooser index of a track system code, or -1 when the chooser does not offer it.
int chooserIndexOfSystem(uint32_t system);
// The chooser's entry texts, in chooser order.
std::vector<std::string> chooserLabels();

// Which chooser index an opened layout implies: the first of C-Track, K-Track, TRIX C-Track
// and Z-Track that any of its pieces belongs to, else C-Track. Unknown parts are skipped.
int chooserIndexForLayout(const Layout& layout,
                          const TrackCatalog& catalog = TrackCatalog::instance());

enum class PalettePage { Track, Library, Scenery, Signals };

struct PalettePageDef {
    PalettePage page;
    const char* title;
    int listId;
};

// The notebook pages for a chooser index, in order. Z-Track has no Scenery page.
std::vector<PalettePageDef> palettePages(int chooserIndex);
bool hasSceneryPage(int chooserIndex);

// One list row: the text shown and its key (empty for a header row).
struct PaletteRow {
    std::string text;
    std::string key;
    bool operator==(const PaletteRow& o) const { return text == o.text && key == o.key; }
};

bool isHelixKey(const std::string& key);
// The variant key of a helix row's key (empty when it is not one).
std::string helixVariantOfKey(const std::string& key);

// Category headers and piece rows of the chosen system; parts missing from the catalogue
// get no row. C-Track ends with one row per helix variant.
std::vector<PaletteRow> trackRows(int chooserIndex,
                                  const TrackCatalog& catalog = TrackCatalog::instance());
// Platforms, stations, bridges, nature and "Other" items, in catalogue order, with a header
// whenever the category name changes.
std::vector<PaletteRow> sceneryRows(const std::vector<SceneryDef>& defs);
// The signal kind shown as a header, from the item key.
std::string signalKind(const std::string& key);
// The signals of the chosen scale (Z-scale ones only for Z-Track), grouped by kind.
std::vector<PaletteRow> signalRows(int chooserIndex, const std::vector<SceneryDef>& defs);

// "library" beside the application, then the folder of the chosen system.
std::string libraryFolder(const std::string& applicationFolder, int chooserIndex);
// One row per "*.xml" file of the folder (name without extension, key the path), in name
// order; nothing when the folder is missing.
std::vector<PaletteRow> libraryRows(const std::string& folder);

} // namespace plandor
