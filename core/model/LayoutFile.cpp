#include "model/LayoutFile.h"

#include "catalog/TrackCatalog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unordered_set>

namespace plandor {

namespace {

// A damaged file must not make a joint list grow without bound; no catalogue piece
// has more than 30 connectors.
constexpr int kMaxConnectors = 64;

const char* const kDefaultHelixVariant = "proses_2_5_r1r2";

bool contains(std::string_view line, std::string_view tag) {
    return line.find(tag) != std::string_view::npos;
}

uint8_t clampByte(int32_t v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// ---------------------------------------------------------------------------------
// Writing

// The entity that stands for a character the attribute values must not hold.
std::string_view entityFor(char c) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    case '\n':
        return "&#10;";
    default:
        return "&#13;";
    }
}

class LineWriter {
  public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void open(int indent, std::string_view tag) {
        out_.append(static_cast<std::size_t>(indent), ' ');
        out_ += '<';
        out_ += tag;
    }
    void integer(std::string_view name, int64_t v) {
        char buf[24];
        auto res = std::to_chars(buf, buf + sizeof buf, v);
        put(name, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
    }
    // Fixed point with 4 decimals, independent of the process locale.
    void real(std::string_view name, double v) {
        char buf[400];
        auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
        put(name, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
    }
    void flag(std::string_view name, bool v) { put(name, v ? "1" : "0"); }
    void text(std::string_view name, std::string_view v) {
        beginValue(name);
        appendEscaped(v);
        out_ += '"';
    }
    void endOpen() { out_ += ">\n"; }
    void endSelf() { out_ += "/>\n"; }
    void close(int indent, std::string_view tag) {
        out_.append(static_cast<std::size_t>(indent), ' ');
        out_ += "</";
        out_ += tag;
        out_ += ">\n";
    }
    void appendEscaped(std::string_view v) {
        std::size_t from = 0;
        while (true) {
            const std::size_t special = v.find_first_of("<>&\"\n\r", from);
            out_.append(v.substr(from, special - from));
            if (special == std::string_view::npos)
                return;
            out_ += entityFor(v[special]);
            from = special + 1;
        }
    }

  private:
    void beginValue(std::string_view name) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
    }
    void put(std::string_view name, std::string_view value) {
        beginValue(name);
        out_ += value;
        out_ += '"';
    }

    std::string& out_;
};

int32_t packColor(uint8_t r, uint8_t g, uint8_t b) {
    return r * 65536 + g * 256 + b;
}

void writeGradeRuns(LineWriter& w, const Layout& layout) {
    if (layout.gradeRuns.empty())
        return;
    w.open(2, "grade_runs");
    w.endOpen();
    for (const GradeRun& run : layout.gradeRuns) {
        w.open(4, "run");
        w.real("deg", run.deg);
        w.integer("anchor", run.anchor);
        w.integer("conn", run.conn);
        w.endSelf();
    }
    w.close(2, "grade_runs");
}

void writeScenery(LineWriter& w, std::string& out, const Layout& layout) {
    if (layout.scenery.empty())
        return;
    w.open(2, "scenery");
    w.endOpen();
    for (const SceneryItem& item : layout.scenery)
        appendSceneryItemLine(out, item, 4);
    w.close(2, "scenery");
}

void writeLevels(LineWriter& w, const Layout& layout) {
    if (layout.levels.empty())
        return;
    w.open(2, "levels");
    w.integer("active", layout.activeLevel);
    w.endOpen();
    for (const Level& level : layout.levels) {
        w.open(4, "level");
        w.integer("id", level.id);
        w.text("name", level.name);
        w.flag("visible", level.visible);
        w.real("height", level.height);
        w.flag("trackcolor", level.useTrackColor);
        w.integer("r", level.trackR);
        w.integer("g", level.trackG);
        w.integer("b", level.trackB);
        // An outline of fewer than 3 points encloses nothing and is not stored.
        if (level.outline.size() < 3) {
            w.endSelf();
            continue;
        }
        w.endOpen();
        for (const Point& p : level.outline) {
            w.open(6, "pt");
            w.real("x", p.x);
            w.real("y", p.y);
            w.endSelf();
        }
        w.close(4, "level");
    }
    w.close(2, "levels");
}

void writeBaseboard(LineWriter& w, const Layout& layout) {
    if (layout.baseboard.empty())
        return;
    w.open(2, "baseboard");
    w.endOpen();
    for (const Point& p : layout.baseboard) {
        w.open(4, "vertex");
        w.real("x", p.x);
        w.real("y", p.y);
        w.endSelf();
    }
    w.close(2, "baseboard");
}

void writeLastShape(LineWriter& w, const Layout& layout) {
    w.open(2, "lastshape");
    w.integer("id", layout.lastShapeType);
    w.real("w_mm", layout.lastShapeW);
    w.real("h_mm", layout.lastShapeH);
    w.real("w2_mm", layout.lastShapeW2);
    w.real("h2_mm", layout.lastShapeH2);
    w.endSelf();
}

void writeLabels(LineWriter& w, const Layout& layout) {
    if (layout.labels.empty())
        return;
    w.open(2, "labels");
    w.endOpen();
    for (const LayoutLabel& label : layout.labels) {
        w.open(4, "label");
        w.integer("id", label.id);
        w.real("x", label.x);
        w.real("y", label.y);
        w.text("text", label.text);
        w.endSelf();
    }
    w.close(2, "labels");
}

void writeShapes(LineWriter& w, const Layout& layout) {
    if (layout.shapes.empty())
        return;
    w.open(2, "shapes");
    w.endOpen();
    for (const PolygonShape& shape : layout.shapes) {
        w.open(4, "shape");
        w.integer("id", shape.id);
        w.integer("r", shape.fillR);
        w.integer("g", shape.fillG);
        w.integer("b", shape.fillB);
        w.integer("a", shape.fillA);
        w.flag("outline", shape.outline);
        w.integer("level", shape.level);
        w.real("height", shape.height);
        w.text("label", shape.label);
        w.endOpen();
        for (const Point& p : shape.vertices) {
            w.open(6, "v");
            w.real("x", p.x);
            w.real("y", p.y);
            w.endSelf();
        }
        w.close(4, "shape");
    }
    w.close(2, "shapes");
}

void writeTunnels(LineWriter& w, const Layout& layout) {
    if (layout.tunnels.empty())
        return;
    w.open(2, "tunnels");
    w.endOpen();
    for (const Tunnel& tunnel : layout.tunnels) {
        w.open(4, "tunnel");
        w.integer("id", tunnel.id);
        w.integer("portalA", tunnel.portalA);
        w.integer("portalB", tunnel.portalB);
        w.integer("anchorA", tunnel.anchorA);
        w.integer("anchorB", tunnel.anchorB);
        w.endOpen();
        for (int32_t piece : tunnel.covers) {
            w.open(6, "covers");
            w.integer("piece", piece);
            w.endSelf();
        }
        w.close(4, "tunnel");
    }
    w.close(2, "tunnels");
}

void writeHelices(LineWriter& w, const Layout& layout) {
    if (layout.helices.empty())
        return;
    w.open(2, "helices");
    w.endOpen();
    for (const Helix& helix : layout.helices) {
        w.open(4, "helix");
        w.integer("id", helix.id);
        w.real("cx", helix.cx);
        w.real("cy", helix.cy);
        w.real("heading", helix.heading);
        w.text("variant", helix.variant);
        w.integer("bottomR1", helix.bottomR1);
        w.integer("bottomR2", helix.bottomR2);
        w.integer("topR1", helix.topR1);
        w.integer("topR2", helix.topR2);
        w.endSelf();
    }
    w.close(2, "helices");
}

std::size_t estimatedFileSize(const Layout& layout) {
    std::size_t joints = 0;
    for (const PlacedPiece& p : layout.pieces)
        joints += p.joints.size();
    return 1024 + layout.pieces.size() * 200 + joints * 60 + layout.scenery.size() * 200 +
           layout.labels.size() * 120 + layout.shapes.size() * 400 + layout.helices.size() * 200 +
           layout.tunnels.size() * 200;
}

std::string layoutText(const Layout& layout, const std::string& name) {
    std::string out;
    out.reserve(estimatedFileSize(layout));
    LineWriter w(out);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    w.open(0, "layout");
    w.text("name", name);
    w.integer("version", 1);
    w.integer("units", layout.units);
    // Check settings only when changed, so files stay as older versions wrote them.
    if (layout.minClearanceH0 != kDefaultClearanceH0 || layout.minClearanceZ != kDefaultClearanceZ) {
        w.real("clearance", layout.minClearanceH0);
        w.real("clearancez", layout.minClearanceZ);
    }
    w.endOpen();
    writeGradeRuns(w, layout);
    w.open(2, "pieces");
    w.endOpen();
    appendPieceLines(out, layout.pieces, 4);
    w.close(2, "pieces");
    writeScenery(w, out, layout);
    writeLevels(w, layout);
    writeBaseboard(w, layout);
    writeLastShape(w, layout);
    writeLabels(w, layout);
    writeShapes(w, layout);
    writeTunnels(w, layout);
    writeHelices(w, layout);
    w.close(0, "layout");
    return out;
}

// ---------------------------------------------------------------------------------
// Reading

// The attributes of one line, in order. A name counts only where an attribute starts:
// after a blank and directly before `="`; the value runs to the next double quote.
// Values never hold a double quote (it is written as an entity), so walking the pairs
// in order never mistakes the inside of a value for an attribute.
class Attributes {
  public:
    void parse(std::string_view line) {
        list_.clear();
        std::size_t from = 0;
        while (true) {
            std::size_t eq = line.find("=\"", from);
            if (eq == std::string_view::npos)
                return;
            std::size_t valueStart = eq + 2;
            std::size_t valueEnd = line.find('"', valueStart);
            if (valueEnd == std::string_view::npos)
                return;
            std::size_t nameStart = eq;
            while (nameStart > from && !isBlank(line[nameStart - 1]))
                --nameStart;
            if (nameStart < eq && nameStart > 0 && isBlank(line[nameStart - 1]))
                list_.push_back({line.substr(nameStart, eq - nameStart),
                                 line.substr(valueStart, valueEnd - valueStart)});
            from = valueEnd + 1;
        }
    }

    const std::string_view* raw(std::string_view name) const {
        for (const Entry& e : list_)
            if (e.name == name)
                return &e.value;
        return nullptr;
    }
    bool has(std::string_view name) const { return raw(name) != nullptr; }
    std::string text(std::string_view name) const;
    std::optional<int32_t> integer(std::string_view name) const {
        const std::string_view* v = raw(name);
        return v ? readInt(*v) : std::nullopt;
    }
    std::optional<double> real(std::string_view name) const {
        const std::string_view* v = raw(name);
        return v ? readReal(*v) : std::nullopt;
    }
    bool isOne(std::string_view name) const {
        const std::string_view* v = raw(name);
        return v && *v == "1";
    }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }

    struct Entry {
        std::string_view name;
        std::string_view value;
    };
    std::vector<Entry> list_;
};

// One left-to-right pass, so "&amp;lt;" becomes the text "&lt;"; an unknown entity
// keeps its ampersand.
std::string unescapeText(std::string_view v) {
    static constexpr struct {
        std::string_view entity;
        char ch;
    } kEntities[] = {{"&lt;", '<'},  {"&gt;", '>'},   {"&quot;", '"'},
                     {"&amp;", '&'}, {"&#10;", '\n'}, {"&#13;", '\r'}};
    std::string out;
    out.reserve(v.size());
    std::size_t i = 0;
    while (i < v.size()) {
        std::size_t amp = v.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(v.substr(i));
            break;
        }
        out.append(v.substr(i, amp - i));
        std::string_view rest = v.substr(amp);
        i = amp + 1;
        char ch = '&';
        for (const auto& e : kEntities) {
            if (rest.substr(0, e.entity.size()) == e.entity) {
                ch = e.ch;
                i = amp + e.entity.size();
                break;
            }
        }
        out += ch;
    }
    return out;
}

std::string Attributes::text(std::string_view name) const {
    const std::string_view* v = raw(name);
    return v ? unescapeText(*v) : std::string();
}

// Skips what the C conversions accept before a number: blanks and a plus sign.
std::string_view skipNumberLead(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i + 1 < text.size() && text[i] == '+' && text[i + 1] != '-')
        ++i;
    return text.substr(i);
}

// Lines of a whole file held in memory; a carriage return before the line feed is dropped.
class BufferLines {
  public:
    explicit BufferLines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

class StreamLines {
  public:
    explicit StreamLines(std::istream& in) : in_(in) {}
    bool next(std::string_view& line) {
        if (!std::getline(in_, buffer_))
            return false;
        line = buffer_;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

  private:
    std::istream& in_;
    std::string buffer_;
};

void raiseMax(int32_t& maxId, int32_t id) {
    maxId = std::max(maxId, id);
}

// A required attribute that is absent or not a number leaves the element out.
std::optional<PlacedPiece> readPiece(const Attributes& a) {
    auto id = a.integer("id");
    auto x = a.real("x");
    auto y = a.real("y");
    auto heading = a.real("heading");
    if (!id || !x || !y || !heading)
        return std::nullopt;
    PlacedPiece p;
    p.id = *id;
    p.part = a.text("cat");
    p.x = *x;
    p.y = *y;
    p.heading = normalizeHeading(*heading);
    p.selected = a.isOne("sel");
    p.z = a.real("z").value_or(0.0);
    p.grade = a.real("grade").value_or(0.0);
    p.reversed = a.isOne("rev");
    if (auto color = a.integer("color")) {
        const auto c = static_cast<uint32_t>(*color);
        p.hasColor = true;
        p.colorR = static_cast<uint8_t>((c >> 16) & 255);
        p.colorG = static_cast<uint8_t>((c >> 8) & 255);
        p.colorB = static_cast<uint8_t>(c & 255);
    }
    p.level = a.integer("level").value_or(1);
    p.helix = a.integer("helix").value_or(-1);
    return p;
}

void applyJoint(const Attributes& a, PlacedPiece& piece) {
    auto conn = a.integer("conn");
    auto target = a.integer("target");
    auto tconn = a.integer("tconn");
    if (!conn || !target || !tconn)
        return;
    // Connector numbers outside any catalogue piece are damage, never stored.
    if (*conn < 0 || *conn >= kMaxConnectors || *tconn < 0 || *tconn >= kMaxConnectors)
        return;
    if (*conn >= static_cast<int32_t>(piece.joints.size()))
        piece.joints.resize(static_cast<std::size_t>(*conn) + 1);
    piece.joints[static_cast<std::size_t>(*conn)] = Joint{*target, *tconn};
}

template <typename Lines>
void readPieceSection(Lines& lines, std::vector<PlacedPiece>& pieces, int32_t& maxId) {
    Attributes attrs;
    // Joints belong to the last piece read here; -1 while there is none.
    std::ptrdiff_t current = -1;
    std::string_view line;
    while (lines.next(line)) {
        if (line.find('<') == std::string_view::npos)
            continue;
        if (contains(line, "</pieces>") || contains(line, "</block>") ||
            contains(line, "</layout>"))
            return;
        if (contains(line, "<piece ")) {
            attrs.parse(line);
            std::optional<PlacedPiece> piece = readPiece(attrs);
            current = -1;
            if (!piece)
                continue;
            raiseMax(maxId, piece->id);
            pieces.push_back(std::move(*piece));
            current = static_cast<std::ptrdiff_t>(pieces.size()) - 1;
        } else if (contains(line, "<joint ") && current >= 0) {
            attrs.parse(line);
            applyJoint(attrs, pieces[static_cast<std::size_t>(current)]);
        }
    }
}

// Reads the file's lines into a fresh layout; the caller moves the result into place.
class LayoutReader {
  public:
    LayoutReader(Layout& out, std::string& name) : out_(out), name_(name) {}

    void read(BufferLines& lines) {
        std::string_view line;
        while (lines.next(line))
            readLine(line, lines);
    }
    int32_t maxId() const { return maxId_; }

  private:
    void readLine(std::string_view line, BufferLines& lines) {
        // Cheap exit for lines that hold no element at all.
        if (line.find('<') == std::string_view::npos)
            return;
        attrs_.parse(line);
        if (contains(line, "<layout ")) {
            name_ = attrs_.text("name");
            auto units = attrs_.integer("units");
            // Only the three known units are taken; anything else shows millimetres.
            out_.units = units && *units >= 0 && *units <= 2 ? static_cast<uint32_t>(*units) : 0;
            out_.minClearanceH0 = attrs_.real("clearance").value_or(kDefaultClearanceH0);
            out_.minClearanceZ = attrs_.real("clearancez").value_or(kDefaultClearanceZ);
        }
        if (contains(line, "<run "))
            readRun();
        if (std::size_t open = line.find("<pieces>"); open != std::string_view::npos) {
            // "<pieces></pieces>" on one line is an empty section, not the rest of the file.
            if (line.find("</pieces>", open) == std::string_view::npos)
                readPieceSection(lines, out_.pieces, maxId_);
        }
        if (contains(line, "<levels ")) {
            out_.activeLevel = attrs_.integer("active").value_or(1);
            inLevels_ = true;
        }
        if (inLevels_ && contains(line, "<level "))
            readLevel();
        if (contains(line, "</levels>"))
            inLevels_ = false;
        if (contains(line, "<pt ") && levelOpen_)
            readPoint(out_.levels.back().outline);
        if (contains(line, "<scenery>"))
            inScenery_ = true;
        if (inScenery_ && contains(line, "<sceneryitem "))
            readSceneryItem();
        if (contains(line, "</scenery>"))
            inScenery_ = false;
        if (contains(line, "<baseboard>")) {
            inBaseboard_ = true;
            out_.baseboard.clear();
        }
        if (inBaseboard_ && contains(line, "<vertex "))
            readPoint(out_.baseboard);
        if (contains(line, "</baseboard>"))
            inBaseboard_ = false;
        if (contains(line, "<lastshape"))
            readLastShape();
        if (contains(line, "<label "))
            readLabel();
        if (contains(line, "<shape ") && !contains(line, "</shape"))
            readShape();
        if (contains(line, "<v ") && !out_.shapes.empty() && attrs_.has("x") && attrs_.has("y"))
            readPoint(out_.shapes.back().vertices);
        if (contains(line, "<tunnel "))
            readTunnel();
        if (contains(line, "<covers ") && tunnelOpen_) {
            if (auto piece = attrs_.integer("piece"))
                out_.tunnels.back().covers.push_back(*piece);
        }
        if (contains(line, "<helix "))
            readHelix();
    }

    void readRun() {
        auto deg = attrs_.real("deg");
        auto anchor = attrs_.integer("anchor");
        auto conn = attrs_.integer("conn");
        if (deg && anchor && conn)
            out_.gradeRuns.push_back(GradeRun{*deg, *anchor, *conn});
    }

    void readLevel() {
        auto id = attrs_.integer("id");
        levelOpen_ = id.has_value();
        if (!id)
            return;
        Level level;
        level.id = *id;
        level.name = attrs_.text("name");
        const std::string_view* visible = attrs_.raw("visible");
        level.visible = !(visible && *visible == "0");
        level.height = attrs_.real("height").value_or(0.0);
        level.useTrackColor = attrs_.isOne("trackcolor");
        level.trackR = clampByte(attrs_.integer("r").value_or(180));
        level.trackG = clampByte(attrs_.integer("g").value_or(180));
        level.trackB = clampByte(attrs_.integer("b").value_or(180));
        out_.levels.push_back(std::move(level));
    }

    void readPoint(std::vector<Point>& points) {
        auto x = attrs_.real("x");
        auto y = attrs_.real("y");
        if (x && y)
            points.push_back(Point{*x, *y});
    }

    void readSceneryItem() {
        auto id = attrs_.integer("id");
        auto x = attrs_.real("x");
        auto y = attrs_.real("y");
        auto heading = attrs_.real("heading");
        if (!id || !x || !y || !heading)
            return;
        SceneryItem item;
        item.id = *id;
        item.item = attrs_.text("item");
        item.x = *x;
        item.y = *y;
        item.heading = normalizeHeading(*heading);
        item.selected = attrs_.isOne("sel");
        item.scaleX = attrs_.real("scalex").value_or(1.0);
        item.scaleY = attrs_.real("scaley").value_or(1.0);
        item.level = attrs_.integer("level").value_or(1);
        raiseMax(maxId_, item.id);
        out_.scenery.push_back(std::move(item));
    }

    void readLastShape() {
        out_.lastShapeType = attrs_.integer("id").value_or(out_.lastShapeType);
        out_.lastShapeW = attrs_.real("w_mm").value_or(out_.lastShapeW);
        out_.lastShapeH = attrs_.real("h_mm").value_or(out_.lastShapeH);
        out_.lastShapeW2 = attrs_.real("w2_mm").value_or(out_.lastShapeW2);
        out_.lastShapeH2 = attrs_.real("h2_mm").value_or(out_.lastShapeH2);
    }

    void readLabel() {
        auto id = attrs_.integer("id");
        auto x = attrs_.real("x");
        auto y = attrs_.real("y");
        if (!id || !x || !y)
            return;
        LayoutLabel label;
        label.id = *id;
        label.x = *x;
        label.y = *y;
        label.text = attrs_.text("text");
        raiseMax(maxId_, label.id);
        out_.labels.push_back(std::move(label));
    }

    void readShape() {
        PolygonShape shape;
        shape.id = attrs_.integer("id").value_or(-1);
        shape.fillR = clampByte(attrs_.integer("r").value_or(shape.fillR));
        shape.fillG = clampByte(attrs_.integer("g").value_or(shape.fillG));
        shape.fillB = clampByte(attrs_.integer("b").value_or(shape.fillB));
        shape.fillA = clampByte(attrs_.integer("a").value_or(shape.fillA));
        if (const std::string_view* outline = attrs_.raw("outline"))
            shape.outline = *outline == "1";
        shape.level = attrs_.integer("level").value_or(1);
        shape.height = attrs_.real("height").value_or(0.0);
        shape.label = attrs_.text("label");
        raiseMax(maxId_, shape.id);
        out_.shapes.push_back(std::move(shape));
    }

    void readTunnel() {
        auto id = attrs_.integer("id");
        auto portalA = attrs_.integer("portalA");
        auto portalB = attrs_.integer("portalB");
        tunnelOpen_ = id && portalA && portalB;
        if (!tunnelOpen_)
            return;
        Tunnel tunnel;
        tunnel.id = *id;
        tunnel.portalA = *portalA;
        tunnel.portalB = *portalB;
        tunnel.anchorA = attrs_.integer("anchorA").value_or(-1);
        tunnel.anchorB = attrs_.integer("anchorB").value_or(-1);
        raiseMax(maxId_, tunnel.id);
        out_.tunnels.push_back(std::move(tunnel));
    }

    void readHelix() {
        auto id = attrs_.integer("id");
        auto cx = attrs_.real("cx");
        auto cy = attrs_.real("cy");
        auto heading = attrs_.real("heading");
        auto bottomR1 = attrs_.integer("bottomR1");
        auto bottomR2 = attrs_.integer("bottomR2");
        auto topR1 = attrs_.integer("topR1");
        auto topR2 = attrs_.integer("topR2");
        if (!id || !cx || !cy || !heading || !bottomR1 || !bottomR2 || !topR1 || !topR2)
            return;
        Helix helix;
        helix.id = *id;
        helix.cx = *cx;
        helix.cy = *cy;
        helix.heading = normalizeHeading(*heading);
        helix.variant = attrs_.has("variant") ? attrs_.text("variant") : kDefaultHelixVariant;
        helix.bottomR1 = *bottomR1;
        helix.bottomR2 = *bottomR2;
        helix.topR1 = *topR1;
        helix.topR2 = *topR2;
        raiseMax(maxId_, helix.id);
        out_.helices.push_back(std::move(helix));
    }

    Layout& out_;
    std::string& name_;
    Attributes attrs_;
    int32_t maxId_ = 0;
    bool inLevels_ = false;
    bool inScenery_ = false;
    bool inBaseboard_ = false;
    // Child lines go to the last element only when that element was read.
    bool levelOpen_ = false;
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

bool readWholeFile(const std::string& path, std::string& content) {
    // Only regular files: a folder or a device such as /dev/zero is no layout.
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    content.clear();
    content.reserve(static_cast<std::size_t>(size));
    std::vector<char> chunk(1 << 16);
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0)
        content.append(chunk.data(), n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

} // namespace

// ---------------------------------------------------------------------------------

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    LineWriter(out).appendEscaped(text);
    return out;
}

void appendPieceLines(std::string& out, const std::vector<PlacedPiece>& pieces, int indent) {
    LineWriter w(out);
    for (const PlacedPiece& p : pieces) {
        w.open(indent, "piece");
        w.integer("id", p.id);
        w.text("cat", p.part);
        w.real("x", p.x);
        w.real("y", p.y);
        w.real("heading", p.heading);
        w.real("z", p.z);
        w.real("grade", p.grade);
        if (p.reversed)
            w.flag("rev", true);
        w.integer("level", p.level);
        if (p.helix != -1)
            w.integer("helix", p.helix);
        w.flag("sel", p.selected);
        if (p.hasColor)
            w.integer("color", packColor(p.colorR, p.colorG, p.colorB));
        w.endOpen();
        for (std::size_t c = 0; c < p.joints.size(); ++c) {
            const Joint& j = p.joints[c];
            if (j.isFree())
                continue;
            w.open(indent + 2, "joint");
            w.integer("conn", static_cast<int64_t>(c));
            w.integer("target", j.target);
            w.integer("tconn", j.targetConn);
            w.endSelf();
        }
        w.close(indent, "piece");
    }
}

void appendSceneryItemLine(std::string& out, const SceneryItem& item, int indent) {
    LineWriter w(out);
    w.open(indent, "sceneryitem");
    w.integer("id", item.id);
    w.text("item", item.item);
    w.real("x", item.x);
    w.real("y", item.y);
    w.real("heading", item.heading);
    w.real("scalex", item.scaleX);
    w.real("scaley", item.scaleY);
    w.integer("level", item.level);
    w.flag("sel", item.selected);
    w.endSelf();
}

std::optional<int32_t> readInt(std::string_view text) {
    text = skipNumberLead(text);
    int32_t v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc())
        return std::nullopt;
    return v;
}

std::optional<double> readReal(std::string_view text) {
    text = skipNumberLead(text);
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string writeFileReplacing(const std::string& path, const std::string& content) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status target = fs::status(path, ec);
    // Replacing must not get round a target that may not be written to; opening it for
    // appending asks the system without changing it.
    if (fs::exists(target)) {
        std::FILE* probe = std::fopen(path.c_str(), "ab");
        if (!probe)
            return "Cannot open file: " + path;
        std::fclose(probe);
    }
    const std::string temp = path + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return "Cannot open file: " + path;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok && fs::exists(target))
        fs::permissions(temp, target.permissions(), ec); // the new file keeps the old mode
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        return "Cannot write file: " + path;
    }
    return {};
}

std::string saveLayout(const Layout& layout, const std::string& path, const std::string& name) {
    return writeFileReplacing(path, layoutText(layout, name));
}

std::string loadLayout(Layout& layout, const std::string& path, std::string& name) {
    std::string content;
    if (!readWholeFile(path, content))
        return "Cannot open file: " + path;

    // Everything the file stores starts from a new layout's values; the last
    // layout-shape dimensions stay when the file does not give them.
    Layout loaded;
    loaded.lastShapeType = layout.lastShapeType;
    loaded.lastShapeW = layout.lastShapeW;
    loaded.lastShapeH = layout.lastShapeH;
    loaded.lastShapeW2 = layout.lastShapeW2;
    loaded.lastShapeH2 = layout.lastShapeH2;
    std::string loadedName;
    LayoutReader reader(loaded, loadedName);
    BufferLines lines(content);
    reader.read(lines);

    loaded.nextId = static_cast<uint32_t>(static_cast<int64_t>(reader.maxId()) + 1);
    loaded.ensureDefaultLevel();
    selectWholeHelices(loaded.pieces);

    layout.pieces = std::move(loaded.pieces);
    layout.scenery = std::move(loaded.scenery);
    layout.labels = std::move(loaded.labels);
    layout.shapes = std::move(loaded.shapes);
    layout.tunnels = std::move(loaded.tunnels);
    layout.helices = std::move(loaded.helices);
    layout.nextId = loaded.nextId;
    layout.levels = std::move(loaded.levels);
    layout.activeLevel = loaded.activeLevel;
    layout.baseboard = std::move(loaded.baseboard);
    layout.lastShapeType = loaded.lastShapeType;
    layout.lastShapeW = loaded.lastShapeW;
    layout.lastShapeH = loaded.lastShapeH;
    layout.lastShapeW2 = loaded.lastShapeW2;
    layout.lastShapeH2 = loaded.lastShapeH2;
    layout.units = loaded.units;
    layout.minClearanceH0 = loaded.minClearanceH0;
    layout.minClearanceZ = loaded.minClearanceZ;
    layout.gradeRuns = std::move(loaded.gradeRuns);
    layout.restoreGradeState();
    name = std::move(loadedName);
    return {};
}

void parsePieces(std::istream& in, std::vector<PlacedPiece>& pieces, int32_t& maxId) {
    StreamLines lines(in);
    readPieceSection(lines, pieces, maxId);
}

std::string attributeValue(const std::string& line, const std::string& name) {
    Attributes attrs;
    attrs.parse(line);
    return attrs.text(name);
}

} // namespace plandor
