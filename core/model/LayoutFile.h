#pragma once
// The layout file (.plo): a line-oriented XML text, one element per line.
// Reading and writing return an empty text on success, else a message for the user.

#include "core/base/AtomicFile.h" // writeFileReplacing, which saving uses
#include "core/model/Layout.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandor {

std::string saveLayout(const Layout& layout, const std::string& path, const std::string& name);
// Replaces the layout's content with the file's, keeping what the file does not store
// (measurements, view switches) but not the undo history; on failure the layout is
// untouched. Files over 256 MB are refused, and so are files that hold no layout element
// ("Not a layout file: ") or end before the layout's closing tag ("The file is cut off: ...").
std::string loadLayout(Layout& layout, const std::string& path, std::string& name);
// The same, telling `progress` the share of the file read so far, in percent, as it goes
// (from the thread that reads).
std::string loadLayout(Layout& layout, const std::string& path, std::string& name,
                       const std::function<void(int)>& progress);

// A file read apart from the open layout, on another thread say: what loadLayout gives when
// reading into a copy of `base`, with the layout's name and the message when the file could
// not be read (the layout is then `base`).
struct LoadedLayout {
    Layout layout;
    std::string name;
    std::string error;
};
LoadedLayout loadLayoutCopy(const std::string& path, const Layout& base = Layout{});
// The same, telling `progress` the share of the file read so far, as loadLayout does.
LoadedLayout loadLayoutCopyReporting(const std::string& path, const Layout& base,
                                     const std::function<void(int)>& progress);
// True when reading any file into `layout` gives what reading it into a new layout gives:
// nothing the file leaves alone (measurements, view switches) differs from a new layout's.
bool readsLikeNew(const Layout& layout);

// The reading and writing of the two above, without the file. Reading takes whatever the
// text holds, also when it is no whole layout.
void readLayoutText(Layout& layout, std::string_view text, std::string& name);
std::string layoutFileText(const Layout& layout, const std::string& name);

// Value of attribute `name` on a line, unescaped; empty when absent.
std::string attributeValue(const std::string& line, const std::string& name);

// Building blocks shared with the library block files.

// Text value escaped for an attribute: < > & " and line breaks become entities.
std::string escapeText(std::string_view text);
// Piece lines (piece, its joints, closing tag) with the piece tag at `indent` blanks.
void appendPieceLines(std::string& out, const std::vector<PlacedPiece>& pieces, int indent);
// One self-closed scenery item line at `indent` blanks.
void appendSceneryItemLine(std::string& out, const SceneryItem& item, int indent);
// The scenery item of such a line; nothing when a required attribute is missing.
std::optional<SceneryItem> readSceneryItemLine(std::string_view line);
// A library block's text read with the layout's scanning: the block's name, its piece lines
// up to "</block>" as the layout's piece section is read, and the scenery items inside its
// "<scenery>" element, all appended as read.
void readBlockLines(std::string_view text, std::string& name, std::vector<PlacedPiece>& pieces,
                    std::vector<SceneryItem>& scenery);
// Numbers beyond a sane world (1,000 km) are read as damage, like NaN and infinity: an edit
// must not move anything this far, or the saved layout loses it on reopening.
constexpr double kMaxFileReal = 1e9;
// Numbers as the readers take them: the longest numeric prefix; nothing when the text
// holds no number, an integer outside 32 bits, or a real that is not finite or lies
// beyond 1,000 km (1e9), which no layout reaches and drawing cannot show.
std::optional<int32_t> readInt(std::string_view text);
// Writes `v` in fixed point with 4 decimals, exactly as std::to_chars does, at `first`, which
// has room for kMaxFixed4Chars; returns the end. Saving spends much of its time here.
constexpr std::size_t kMaxFixed4Chars = 320;
char* writeFixed4(char* first, double v);
std::optional<double> readReal(std::string_view text);

// Reads a whole regular file of at most 256 MB into `content`.
enum class FileRead { Ok, Unreadable, TooLarge };
FileRead readWholeFile(const std::string& path, std::string& content);

} // namespace plandor
