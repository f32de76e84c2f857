#include "core/base/FilePath.h"
#include "core/base/Translate.h"
#include "core/model/LayoutFields.h"
#include "core/model/LayoutFile.h"
#include "core/model/LayoutLines.h"

#include <cstdio>
#include <tuple>
#include <type_traits>
#include <unordered_set>

namespace plandor {

using namespace layoutfile;

namespace {

// A damaged file must not make a joint list grow without bound; no catalogue piece
// has more than 30 connectors.
constexpr int kMaxConnectors = 64;

// A piece with its closing tag and a joint or two takes 150 to 300 bytes of the file; the
// piece list is reserved for the rest of the file at this size, once, instead of growing.
constexpr std::size_t kTypicalPieceBytes = 160;

void raiseMax(int32_t& maxId, int32_t id) {
    maxId = std::max(maxId, id);
}

template <typename R, typename = void> struct HasId : std::false_type {};
template <typename R>
struct HasId<R, std::void_t<decltype(std::declval<R&>().id)>> : std::true_type {};

void applyJoint(const JointLine& j, PlacedPiece& piece) {
    // Connector numbers outside any catalogue piece are damage, never stored.
    if (j.conn < 0 || j.conn >= kMaxConnectors || j.tconn < 0 || j.tconn >= kMaxConnectors)
        return;
    const auto conn = static_cast<std::size_t>(j.conn);
    if (conn >= piece.joints.size()) {
        // Joints come one by one; most pieces have up to four connectors, so one allocation.
        if (conn >= piece.joints.capacity())
            piece.joints.reserve(std::max<std::size_t>(conn + 1, 4));
        piece.joints.resize(conn + 1);
    }
    piece.joints[conn] = Joint{j.target, j.tconn};
}

// A joint line exactly as the writer makes it, `<joint conn="0" target="12" tconn="1"/>` after
// blanks, with plain numbers of up to nine digits: two thirds of a layout's lines. Read here
// without the general attribute walk, to the same values; any other line is left to it.
bool readWrittenJoint(std::string_view line, JointLine& joint) {
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    const auto expect = [&p, end](std::string_view text) {
        if (static_cast<std::size_t>(end - p) < text.size())
            return false;
        for (const char c : text)
            if (*p++ != c)
                return false;
        return true;
    };
    const auto number = [&p, end](int32_t& value) {
        const char* const from = p;
        int32_t v = 0;
        for (; p < end && p - from < 9 && static_cast<unsigned>(*p - '0') < 10; ++p)
            v = v * 10 + (*p - '0');
        value = v;
        return p > from && (p == end || static_cast<unsigned>(*p - '0') >= 10);
    };
    return expect("<joint conn=\"") && number(joint.conn) && expect("\" target=\"") &&
           number(joint.target) && expect("\" tconn=\"") && number(joint.tconn) && expect("\"/>") &&
           p == end;
}

enum class PieceLine { Other, SectionEnd, Piece, Joint };

// What a line of the piece section holds. Every '<' on the line is looked at, so a line that
// holds several elements reads as it always has: the section's end first, then a piece, then
// a joint.
PieceLine classifyPieceLine(std::string_view line) {
    const auto at = [&line](std::size_t i, const auto& tag) {
        constexpr std::size_t n = sizeof tag - 1;
        return line.size() - i >= n && std::memcmp(line.data() + i, tag, n) == 0;
    };
    bool piece = false;
    bool joint = false;
    for (std::size_t i = line.find('<'); i != std::string_view::npos; i = line.find('<', i + 1)) {
        if (at(i, "</pieces>") || at(i, "</block>") || at(i, "</layout>"))
            return PieceLine::SectionEnd;
        piece = piece || at(i, "<piece ");
        joint = joint || at(i, "<joint ");
    }
    return piece ? PieceLine::Piece : joint ? PieceLine::Joint : PieceLine::Other;
}

// How a piece section ended, and after how many of its lines (the closing one included).
struct PieceSectionEnd {
    bool closed = false;       // by "</pieces>", "</block>" or "</layout>"
    bool layoutClosed = false; // by "</layout>", which also ends the layout
    std::size_t lines = 0;
};

// Reads piece and joint lines up to the section's end; every other line goes to `other`.
template <typename Lines, typename Other>
PieceSectionEnd readPieceSection(Lines& lines, std::vector<PlacedPiece>& pieces, int32_t& maxId,
                                 Other other) {
    Attributes attrs;
    // Joints belong to the last piece read here; -1 while there is none.
    std::ptrdiff_t current = -1;
    std::string_view line;
    JointLine joint;
    PlacedPiece written;
    PieceSectionEnd end;
    while (lines.next(line)) {
        ++end.lines;
        if (readWrittenJoint(line, joint)) {
            if (current >= 0)
                applyJoint(joint, pieces[static_cast<std::size_t>(current)]);
            continue;
        }
        const bool asWritten = readPieceInTableOrder(line, written);
        const PieceLine kind = asWritten ? PieceLine::Piece : classifyPieceLine(line);
        if (kind == PieceLine::SectionEnd) {
            end.closed = true;
            end.layoutClosed = contains(line, "</layout>");
            return end;
        }
        if (kind == PieceLine::Piece) {
            std::optional<PlacedPiece> piece;
            if (asWritten) {
                piece = std::move(written);
            } else {
                attrs.parse(line);
                piece = readRecord(attrs, kPieceFields);
            }
            current = -1;
            if (!piece)
                continue;
            raiseMax(maxId, piece->id);
            pieces.push_back(std::move(*piece));
            current = static_cast<std::ptrdiff_t>(pieces.size()) - 1;
        } else if (kind == PieceLine::Joint) {
            if (current < 0)
                continue;
            attrs.parse(line);
            if (std::optional<JointLine> read = readRecord(attrs, kJointFields))
                applyJoint(*read, pieces[static_cast<std::size_t>(current)]);
        } else {
            other(line);
        }
    }
    return end;
}

// Reads the file's lines into a fresh layout; the caller moves the result into place.
class LayoutReader {
  public:
    LayoutReader(Layout& out, std::string& name) : out_(out), name_(name) {}

    template <typename Lines> void read(Lines& lines) {
        std::string_view line;
        while (lines.next(line)) {
            ++lineNumber_;
            readLine(line, lines);
        }
    }
    int32_t maxId() const { return maxId_; }

    // Why the text read is no whole layout, or empty: no layout element at all, or the text
    // ends before the layout's closing tag (a file cut off while it was written or copied).
    std::string problem(const std::string& path) const {
        if (!sawLayout_)
            return tr("Not a layout file: ") + path;
        if (layoutClosed_)
            return {};
        const char* inside = inPieces_      ? "pieces"
                             : inLevels_    ? "levels"
                             : inScenery_   ? "scenery"
                             : inBaseboard_ ? "baseboard"
                                            : "layout";
        return trFormat("The file is cut off: it ends at line %lu inside <%s>, so part of the "
                        "layout is missing: %s",
                        static_cast<unsigned long>(lineNumber_), inside, path.c_str());
    }

  private:
    template <typename Lines> void readLine(std::string_view line, Lines& lines) {
        // Cheap exit for lines that hold no element at all.
        if (line.find('<') == std::string_view::npos)
            return;
        attrs_.parse(line);
        if (contains(line, "</layout>"))
            layoutClosed_ = true;
        if (contains(line, "<layout ") || contains(line, "<layout>"))
            sawLayout_ = true;
        if (contains(line, "<layout ")) {
            FileHead head;
            readFields(attrs_, kHeadFields, head);
            name_ = std::move(head.name);
            out_.units = head.units;
            out_.minClearanceH0 = head.clearanceH0;
            out_.minClearanceZ = head.clearanceZ;
        }
        if (contains(line, "<run "))
            append(out_.gradeRuns, readRecord(attrs_, kRunFields));
        if (contains(line, "<levels ")) {
            readFields(attrs_, kLevelsFields, out_);
            inLevels_ = true;
        }
        if (inLevels_ && contains(line, "<level "))
            levelOpen_ = append(out_.levels, readRecord(attrs_, kLevelFields, freshLevel()));
        if (contains(line, "</levels>"))
            inLevels_ = false;
        if (contains(line, "<pt ") && levelOpen_)
            append(out_.levels.back().outline, readRecord(attrs_, kPointFields));
        if (contains(line, "<scenery>"))
            inScenery_ = true;
        if (inScenery_ && contains(line, "<sceneryitem "))
            append(out_.scenery, readRecord(attrs_, kSceneryFields));
        if (contains(line, "</scenery>"))
            inScenery_ = false;
        if (contains(line, "<baseboard>")) {
            inBaseboard_ = true;
            out_.baseboard.clear();
        }
        if (inBaseboard_ && contains(line, "<vertex "))
            append(out_.baseboard, readRecord(attrs_, kPointFields));
        if (contains(line, "</baseboard>"))
            inBaseboard_ = false;
        if (contains(line, "<lastshape"))
            readFields(attrs_, kLastShapeFields, out_);
        if (contains(line, "<label "))
            append(out_.labels, readRecord(attrs_, kLabelFields));
        if (contains(line, "<shape ") && !contains(line, "</shape"))
            shapeOpen_ = append(out_.shapes, readRecord(attrs_, kShapeFields));
        if (contains(line, "<v ") && shapeOpen_)
            append(out_.shapes.back().vertices, readRecord(attrs_, kPointFields));
        if (contains(line, "<tunnel "))
            tunnelOpen_ = append(out_.tunnels, readRecord(attrs_, kTunnelFields));
        if (contains(line, "<covers ") && tunnelOpen_) {
            if (auto cover = readRecord(attrs_, kCoverFields))
                out_.tunnels.back().covers.push_back(cover->piece);
        }
        if (contains(line, "<helix "))
            append(out_.helices, readRecord(attrs_, kHelixFields, freshHelix()));
        // Last: the piece section reads on, and the next read may move or free the buffer
        // that `line` and the attributes look into.
        if (std::size_t open = line.find("<pieces>"); open != std::string_view::npos) {
            // "<pieces></pieces>" on one line is an empty section, not the rest of the file.
            if (line.find("</pieces>", open) == std::string_view::npos) {
                out_.pieces.reserve(lines.remainingBytes() / kTypicalPieceBytes);
                const PieceSectionEnd end =
                    readPieceSection(lines, out_.pieces, maxId_, [](std::string_view) {});
                lineNumber_ += end.lines;
                inPieces_ = !end.closed;
                layoutClosed_ = layoutClosed_ || end.layoutClosed;
            }
        }
    }

    // Appends a record that was read whole; its id raises the running maximum (level ids
    // are numbered apart). True when something was appended.
    template <typename R> bool append(std::vector<R>& list, std::optional<R>&& record) {
        if (!record)
            return false;
        if constexpr (HasId<R>::value && !std::is_same_v<R, Level>)
            raiseMax(maxId_, record->id);
        list.push_back(std::move(*record));
        return true;
    }

    Layout& out_;
    std::string& name_;
    Attributes attrs_;
    int32_t maxId_ = 0;
    std::size_t lineNumber_ = 0;
    bool sawLayout_ = false;
    bool layoutClosed_ = false;
    bool inPieces_ = false;
    bool inLevels_ = false;
    bool inScenery_ = false;
    bool inBaseboard_ = false;
    // Child lines go to the last element only when that element was read.
    bool levelOpen_ = false;
    bool shapeOpen_ = false;
    bool tunnelOpen_ = false;
};

// A selected piece of a helix brings the whole helix into the selection.
void selectWholeHelices(std::vector<PlacedPiece>& pieces) {
    std::unordered_set<int32_t> selected;
    for (const PlacedPiece& p : pieces)
        if (p.selected && p.helix != -1)
            selected.insert(p.helix);
    if (selected.empty())
        return;
    for (PlacedPiece& p : pieces)
        if (selected.count(p.helix))
            p.selected = true;
}

// What a load keeps from the layout it replaces: everything the file does not store. The
// file's <lastshape> line may set the last shape's sizes again.
template <typename L> auto unstoredFields(L& l) {
    return std::tie(l.measurements, l.showBaseboard, l.snapOn, l.showGrid, l.showLabels,
                    l.gridSpacing, l.lastShapeType, l.lastShapeW, l.lastShapeH, l.lastShapeW2,
                    l.lastShapeH2);
}

void keepUnstored(const Layout& from, Layout& to) {
    unstoredFields(to) = unstoredFields(from);
}

// Reads the lines into a fresh layout and, when `accept` agrees once they are all read, puts
// it in place of `layout`; otherwise `layout` is left as it was.
template <typename Lines, typename Accept>
void readLayoutLines(Layout& layout, Lines& lines, std::string& name, Accept accept) {
    // Everything the file stores starts from a new layout's values.
    Layout loaded;
    keepUnstored(layout, loaded);
    std::string loadedName;
    LayoutReader reader(loaded, loadedName);
    reader.read(lines);
    if (!accept(reader))
        return;

    loaded.nextId = static_cast<uint32_t>(static_cast<int64_t>(reader.maxId()) + 1);
    loaded.reserveNamedIds();
    loaded.ensureDefaultLevel();
    loaded.restoreGradeState();
    selectWholeHelices(loaded.pieces);
    // The undo history of the layout replaced belongs to other content and goes with it.
    layout = std::move(loaded);
    name = std::move(loadedName);
}
} // namespace

std::string loadLayout(Layout& layout, const std::string& path, std::string& name) {
    return loadLayout(layout, path, name, nullptr);
}

std::string loadLayout(Layout& layout, const std::string& path, std::string& name,
                       const std::function<void(int)>& progress) {
    std::size_t size = 0;
    FileRead outcome = layoutFileSize(path, size);
    std::FILE* f = outcome == FileRead::Ok ? openFile(path, "rb") : nullptr;
    std::string problem;
    if (f) {
        FileLines lines(f, size, progress);
        readLayoutLines(layout, lines, name, [&](const LayoutReader& reader) {
            problem = reader.problem(path);
            return lines.outcome() == FileRead::Ok && problem.empty();
        });
        outcome = lines.outcome();
        std::fclose(f);
    } else if (outcome == FileRead::Ok) {
        outcome = FileRead::Unreadable;
    }
    switch (outcome) {
    case FileRead::Ok:
        return problem;
    case FileRead::Unreadable:
        return tr("Cannot open file: ") + path;
    case FileRead::TooLarge:
        break;
    }
    return tr("The file is larger than 256 MB and cannot be a Plandor layout.");
}

LoadedLayout loadLayoutCopy(const std::string& path, const Layout& base) {
    return loadLayoutCopyReporting(path, base, nullptr);
}

LoadedLayout loadLayoutCopyReporting(const std::string& path, const Layout& base,
                                     const std::function<void(int)>& progress) {
    LoadedLayout loaded{base, {}, {}};
    loaded.error = loadLayout(loaded.layout, path, loaded.name, progress);
    return loaded;
}

bool readsLikeNew(const Layout& layout) {
    const Layout fresh;
    return unstoredFields(layout) == unstoredFields(fresh);
}

void readLayoutText(Layout& layout, std::string_view text, std::string& name) {
    BufferLines lines(text);
    readLayoutLines(layout, lines, name, [](const LayoutReader&) { return true; });
}

std::string attributeValue(const std::string& line, const std::string& name) {
    Attributes attrs;
    attrs.parse(line);
    return attrs.text(name);
}

std::optional<SceneryItem> readSceneryItemLine(std::string_view line) {
    Attributes attrs;
    attrs.parse(line);
    return readRecord(attrs, kSceneryFields);
}

void readBlockLines(std::string_view text, std::string& name, std::vector<PlacedPiece>& pieces,
                    std::vector<SceneryItem>& scenery) {
    BufferLines lines(text);
    Attributes attrs;
    bool inScenery = false;
    int32_t maxId = 0;
    // The block's own line and its scenery come between the piece lines.
    readPieceSection(lines, pieces, maxId, [&](std::string_view line) {
        if (line.find('<') == std::string_view::npos)
            return;
        attrs.parse(line);
        if (contains(line, "<block "))
            name = attrs.text("name");
        if (contains(line, "<scenery>"))
            inScenery = true;
        if (inScenery && contains(line, "<sceneryitem "))
            if (std::optional<SceneryItem> item = readRecord(attrs, kSceneryFields))
                scenery.push_back(std::move(*item));
        if (contains(line, "</scenery>"))
            inScenery = false;
    });
}

} // namespace plandor
