#include "core/model/LayoutFile.h"

#include "core/base/FilePath.h"
#include "core/catalog/TrackCatalog.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <tuple>
#include <type_traits>
#include <unordered_set>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plandor {

namespace {

// A damaged file must not make a joint list grow without bound; no catalogue piece
// has more than 30 connectors.
constexpr int kMaxConnectors = 64;

const char* const kDefaultHelixVariant = "proses_2_5_r1r2";

constexpr std::size_t kMaxAttributesPerLine = 64;

// Far above any real layout file; a larger file is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = 256u << 20;

// A piece with its closing tag and a joint or two takes 150 to 300 bytes of the file; the
// piece list is reserved for the rest of the file at this size, once, instead of growing.
constexpr std::size_t kTypicalPieceBytes = 160;

// Loading spends much of its time here: a search for the tag's first character, then a
// plain comparison of the few characters after it.
bool contains(std::string_view line, std::string_view tag) {
    const std::size_t n = tag.size();
    for (std::size_t at = line.find(tag[0]); at != std::string_view::npos && n <= line.size() - at;
         at = line.find(tag[0], at + 1)) {
        std::size_t i = 1;
        while (i < n && line[at + i] == tag[i])
            ++i;
        if (i == n)
            return true;
    }
    return false;
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

// Collects one line at a time in a small buffer and hands it to the output in one append:
// many small appends to a long string cost more than the formatting itself.
class LineWriter {
  public:
    explicit LineWriter(std::string& out) : out_(out) {}
    ~LineWriter() { flush(); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void open(int indent, std::string_view tag) {
        for (int i = 0; i < indent; ++i)
            add(' ');
        add('<');
        add(tag);
    }
    void integer(std::string_view name, int64_t v) {
        beginValue(name);
        room(24);
        used_ =
            static_cast<std::size_t>(std::to_chars(line_ + used_, line_ + kSize, v).ptr - line_);
        add('"');
    }
    // Fixed point with 4 decimals, independent of the process locale.
    void real(std::string_view name, double v) {
        beginValue(name);
        room(kMaxFixed4Chars);
        used_ = static_cast<std::size_t>(writeFixed4(line_ + used_, v) - line_);
        add('"');
    }
    // A heading that rounds to a full turn is written as 0, the value it reads back as, so
    // saving twice gives the same text.
    void heading(std::string_view name, double v) {
        char buf[kMaxFixed4Chars];
        const std::string_view text(buf, static_cast<std::size_t>(writeFixed4(buf, v) - buf));
        put(name, text == "360.0000" || text == "-0.0000" ? "0.0000" : text);
    }
    void flag(std::string_view name, bool v) { put(name, v ? "1" : "0"); }
    void text(std::string_view name, std::string_view v) {
        beginValue(name);
        appendEscaped(v);
        add('"');
    }
    void endOpen() { endLine(">\n"); }
    void endSelf() { endLine("/>\n"); }
    void close(int indent, std::string_view tag) {
        open(indent, "/");
        add(tag);
        endLine(">\n");
    }
    void appendEscaped(std::string_view v) {
        std::size_t from = 0;
        while (true) {
            const std::size_t special = v.find_first_of("<>&\"\n\r", from);
            add(v.substr(from, special - from));
            if (special == std::string_view::npos)
                return;
            add(entityFor(v[special]));
            from = special + 1;
        }
    }

  private:
    static constexpr std::size_t kSize = 4096;
    static_assert(kSize > 4 * kMaxFixed4Chars);

    void add(char c) {
        room(1);
        line_[used_++] = c;
    }
    void add(std::string_view s) {
        if (s.size() > kSize - used_) {
            flush();
            if (s.size() > kSize) {
                out_.append(s);
                return;
            }
        }
        std::memcpy(line_ + used_, s.data(), s.size());
        used_ += s.size();
    }
    void room(std::size_t n) {
        if (n > kSize - used_)
            flush();
    }
    void flush() {
        out_.append(line_, used_);
        used_ = 0;
    }
    void endLine(std::string_view end) {
        add(end);
        flush();
    }
    void beginValue(std::string_view name) {
        add(' ');
        add(name);
        add("=\"");
    }
    void put(std::string_view name, std::string_view value) {
        beginValue(name);
        add(value);
        add('"');
    }

    std::string& out_;
    char line_[kSize];
    std::size_t used_ = 0;
};

// ---------------------------------------------------------------------------------
// Reading

// The attributes of one line, in order. A name counts only where an attribute starts:
// after a blank and directly before `="`; the value runs to the next double quote.
// Values never hold a double quote (it is written as an entity), so walking the pairs
// in order never mistakes the inside of a value for an attribute.
// Index of the first quote at or after `from` in p[0, n), or n. Sixteen characters at a time
// where the processor allows: the stretches between quotes are short, but there are millions.
std::size_t findQuote(const char* p, std::size_t from, std::size_t n) {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    for (; from + 16 <= n; from += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, quote)));
        if (mask)
            return from + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    while (from < n && p[from] != '"')
        ++from;
    return from;
}

class Attributes {
  public:
    // Every value sits between a `="` and the next quote, so the line is read quote to quote;
    // a quote not preceded by '=' is skipped.
    void parse(std::string_view line) {
        count_ = 0;
        const char* const p = line.data();
        const std::size_t n = line.size();
        std::size_t from = 0;
        std::size_t quote = 0;
        while (true) {
            quote = findQuote(p, quote, n);
            if (quote >= n)
                return;
            if (quote == from || p[quote - 1] != '=') {
                from = ++quote;
                continue;
            }
            const std::size_t eq = quote - 1;
            const std::size_t valueStart = quote + 1;
            const std::size_t valueEnd = findQuote(p, valueStart, n);
            if (valueEnd >= n)
                return;
            // The name starts after the last blank before the '=', or at `from`.
            std::size_t nameStart = eq;
            while (nameStart > from && !isBlank(p[nameStart - 1]))
                --nameStart;
            if (nameStart < eq && nameStart > 0 && isBlank(p[nameStart - 1])) {
                // No record has more than a dozen attributes; a damaged line cannot make
                // the list grow with its length.
                if (count_ == kMaxAttributesPerLine)
                    return;
                list_[count_++] = {line.substr(nameStart, eq - nameStart),
                                   line.substr(valueStart, valueEnd - valueStart)};
            }
            from = quote = valueEnd + 1;
        }
    }

    const std::string_view* raw(std::string_view name) const {
        // The first character settles most comparisons without a call.
        for (std::size_t i = 0; i < count_; ++i) {
            const Entry& e = list_[i];
            if (e.name.size() == name.size() && e.name[0] == name[0] && e.name == name)
                return &e.value;
        }
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
    std::array<Entry, kMaxAttributesPerLine> list_;
    std::size_t count_ = 0;
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
    if (text.empty() || (text[0] != ' ' && text[0] != '\t' && text[0] != '+'))
        return text;
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
    std::size_t remainingBytes() const { return pos_ < text_.size() ? text_.size() - pos_ : 0; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Lines of a file read a block at a time, so a large layout never sits in memory whole. The
// lines are the ones BufferLines gives for the same bytes. Reading stops, and says so, when the
// file turns out larger than any layout can be or cannot be read to its end.
class FileLines {
  public:
    FileLines(std::FILE* file, std::size_t expectedSize)
        : file_(file), expected_(expectedSize), buffer_(kBlockBytes) {}
    bool next(std::string_view& line) {
        while (true) {
            const char* at = buffer_.data();
            if (const void* nl = std::memchr(at + begin_, '\n', end_ - begin_)) {
                const auto end = static_cast<std::size_t>(static_cast<const char*>(nl) - at);
                return take(line, end, end + 1);
            }
            if (ended_)
                return begin_ < end_ && take(line, end_, end_);
            refill();
        }
    }
    std::size_t remainingBytes() const { return expected_ > used_ ? expected_ - used_ : 0; }
    FileRead outcome() const { return outcome_; }

  private:
    static constexpr std::size_t kBlockBytes = 1 << 20;

    bool take(std::string_view& line, std::size_t end, std::size_t next) {
        line = std::string_view(buffer_.data() + begin_, end - begin_);
        used_ += next - begin_;
        begin_ = next;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    void refill() {
        // The unfinished line moves to the front; a line longer than the buffer widens it.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        if (end_ == buffer_.size())
            buffer_.resize(std::min<std::size_t>(buffer_.size() * 2, kMaxFileBytes + 1));
        const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        end_ += n;
        read_ += n;
        if (read_ > kMaxFileBytes)
            stop(FileRead::TooLarge);
        else if (n == 0)
            stop(std::ferror(file_) ? FileRead::Unreadable : FileRead::Ok);
    }
    void stop(FileRead outcome) {
        ended_ = true;
        outcome_ = outcome;
        if (outcome != FileRead::Ok)
            begin_ = end_ = 0; // nothing more is handed out
    }

    std::FILE* file_;
    std::size_t expected_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t read_ = 0;
    std::size_t used_ = 0;
    bool ended_ = false;
    FileRead outcome_ = FileRead::Ok;
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

// ---------------------------------------------------------------------------------
// Field tables: one per record type, in the file's attribute order. Each row says how the
// attribute is written and read and whether the record is kept without it; the same rows
// drive the writer and the reader.

enum class Need { Optional, Required };

template <typename R> struct Field {
    std::string_view name;
    Need need;
    void (*write)(LineWriter&, std::string_view name, const R&);
    // Sets the value from the attribute; false when it is absent or unreadable, in which
    // case the record keeps the value it started with.
    bool (*read)(const Attributes&, std::string_view name, R&);
    // Set for attributes that are written only when the record needs them.
    bool (*omit)(const R&) = nullptr;

    Field writtenUnless(bool (*when)(const R&)) const {
        Field f = *this;
        f.omit = when;
        return f;
    }
};

template <typename T> struct MemberOf;
template <typename C, typename V> struct MemberOf<V C::*> { using Record = C; };
template <auto M> using RecordOf = typename MemberOf<decltype(M)>::Record;

template <auto M>
Field<RecordOf<M>> integerField(std::string_view name, Need need = Need::Optional) {
    return {name, need,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.integer(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                auto v = a.integer(n);
                if (v)
                    r.*M = *v;
                return v.has_value();
            }};
}

// One channel of a record's colour: out-of-range numbers are brought into 0..255.
template <auto M, auto Channel> Field<RecordOf<M>> channelField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) {
                w.integer(n, (r.*M).*Channel);
            },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                auto v = a.integer(n);
                if (v)
                    (r.*M).*Channel = clampByte(*v);
                return v.has_value();
            }};
}

template <auto M> Field<RecordOf<M>> realField(std::string_view name, Need need = Need::Optional) {
    return {name, need,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.real(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                auto v = a.real(n);
                if (v)
                    r.*M = *v;
                return v.has_value();
            }};
}

// Headings are kept in [0, 360).
template <auto M> Field<RecordOf<M>> headingField(std::string_view name) {
    return {name, Need::Required,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.heading(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                auto v = a.real(n);
                if (v)
                    r.*M = normalizeHeading(*v);
                return v.has_value();
            }};
}

// True exactly when the value is "1".
template <auto M> Field<RecordOf<M>> flagField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.flag(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                const std::string_view* v = a.raw(n);
                if (v)
                    r.*M = *v == "1";
                return v != nullptr;
            }};
}

// False exactly when the value is "0".
template <auto M> Field<RecordOf<M>> unlessZeroFlagField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.flag(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                const std::string_view* v = a.raw(n);
                if (v)
                    r.*M = *v != "0";
                return v != nullptr;
            }};
}

template <auto M> Field<RecordOf<M>> textField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.text(n, r.*M); },
            [](const Attributes& a, std::string_view n, RecordOf<M>& r) {
                if (!a.has(n))
                    return false;
                r.*M = a.text(n);
                return true;
            }};
}

int32_t packColor(Color c) {
    return c.r * 65536 + c.g * 256 + c.b;
}

// A piece's own colour: one integer, red * 65536 + green * 256 + blue.
Field<PlacedPiece> pieceColorField() {
    return {"color", Need::Optional,
            [](LineWriter& w, std::string_view n, const PlacedPiece& p) {
                w.integer(n, packColor(p.color));
            },
            [](const Attributes& a, std::string_view n, PlacedPiece& p) {
                auto color = a.integer(n);
                if (!color)
                    return false;
                const auto c = static_cast<uint32_t>(*color);
                p.hasColor = true;
                p.color =
                    Color{static_cast<uint8_t>((c >> 16) & 255),
                          static_cast<uint8_t>((c >> 8) & 255), static_cast<uint8_t>(c & 255), 255};
                return true;
            },
            [](const PlacedPiece& p) { return !p.hasColor; }};
}

// The attributes of the `<layout` line; the name belongs to the caller, not the layout.
struct FileHead {
    std::string name;
    int32_t version = 1;
    Units units = Units::Millimetres;
    double clearanceH0 = kDefaultClearanceH0;
    double clearanceZ = kDefaultClearanceZ;
};

// The layout check's clearances are written only when one differs from its default, so files
// stay as older versions wrote them.
bool defaultClearances(const FileHead& h) {
    return h.clearanceH0 == kDefaultClearanceH0 && h.clearanceZ == kDefaultClearanceZ;
}

// Only the three known units are taken; anything else shows millimetres.
Field<FileHead> unitsField() {
    return {"units", Need::Optional,
            [](LineWriter& w, std::string_view n, const FileHead& h) {
                w.integer(n, unitsNumber(h.units));
            },
            [](const Attributes& a, std::string_view n, FileHead& h) {
                auto number = a.integer(n);
                const std::optional<Units> units = number ? unitsFromNumber(*number) : std::nullopt;
                h.units = units.value_or(Units::Millimetres);
                return units.has_value();
            }};
}

// One joined connector of a piece.
struct JointLine {
    int32_t conn = -1;
    int32_t target = -1;
    int32_t tconn = -1;
};

// One piece covered by a tunnel.
struct CoverLine {
    int32_t piece = -1;
};

const std::vector<Field<FileHead>> kHeadFields = {
    textField<&FileHead::name>("name"),
    integerField<&FileHead::version>("version"),
    unitsField(),
    realField<&FileHead::clearanceH0>("clearance").writtenUnless(defaultClearances),
    realField<&FileHead::clearanceZ>("clearancez").writtenUnless(defaultClearances),
};

const std::vector<Field<GradeRun>> kRunFields = {
    realField<&GradeRun::deg>("deg", Need::Required),
    integerField<&GradeRun::anchor>("anchor", Need::Required),
    integerField<&GradeRun::conn>("conn", Need::Required),
};

const std::vector<Field<PlacedPiece>> kPieceFields = {
    integerField<&PlacedPiece::id>("id", Need::Required),
    textField<&PlacedPiece::part>("cat"),
    realField<&PlacedPiece::x>("x", Need::Required),
    realField<&PlacedPiece::y>("y", Need::Required),
    headingField<&PlacedPiece::heading>("heading"),
    realField<&PlacedPiece::z>("z"),
    realField<&PlacedPiece::grade>("grade"),
    flagField<&PlacedPiece::reversed>("rev").writtenUnless(
        [](const PlacedPiece& p) { return !p.reversed; }),
    integerField<&PlacedPiece::level>("level"),
    integerField<&PlacedPiece::helix>("helix").writtenUnless(
        [](const PlacedPiece& p) { return p.helix == -1; }),
    flagField<&PlacedPiece::selected>("sel"),
    pieceColorField(),
};

const std::vector<Field<JointLine>> kJointFields = {
    integerField<&JointLine::conn>("conn", Need::Required),
    integerField<&JointLine::target>("target", Need::Required),
    integerField<&JointLine::tconn>("tconn", Need::Required),
};

const std::vector<Field<SceneryItem>> kSceneryFields = {
    integerField<&SceneryItem::id>("id", Need::Required),
    textField<&SceneryItem::item>("item"),
    realField<&SceneryItem::x>("x", Need::Required),
    realField<&SceneryItem::y>("y", Need::Required),
    headingField<&SceneryItem::heading>("heading"),
    realField<&SceneryItem::scaleX>("scalex"),
    realField<&SceneryItem::scaleY>("scaley"),
    integerField<&SceneryItem::level>("level"),
    flagField<&SceneryItem::selected>("sel"),
};

const std::vector<Field<Layout>> kLevelsFields = {
    integerField<&Layout::activeLevel>("active"),
};

const std::vector<Field<Level>> kLevelFields = {
    integerField<&Level::id>("id", Need::Required),
    textField<&Level::name>("name"),
    unlessZeroFlagField<&Level::visible>("visible"),
    realField<&Level::height>("height"),
    flagField<&Level::useTrackColor>("trackcolor"),
    channelField<&Level::trackColor, &Color::r>("r"),
    channelField<&Level::trackColor, &Color::g>("g"),
    channelField<&Level::trackColor, &Color::b>("b"),
};

// Outline points, baseboard vertices and shape vertices.
const std::vector<Field<Point>> kPointFields = {
    realField<&Point::x>("x", Need::Required),
    realField<&Point::y>("y", Need::Required),
};

const std::vector<Field<Layout>> kLastShapeFields = {
    integerField<&Layout::lastShapeType>("id"), realField<&Layout::lastShapeW>("w_mm"),
    realField<&Layout::lastShapeH>("h_mm"),     realField<&Layout::lastShapeW2>("w2_mm"),
    realField<&Layout::lastShapeH2>("h2_mm"),
};

// The selection of labels and shapes is not stored.
const std::vector<Field<LayoutLabel>> kLabelFields = {
    integerField<&LayoutLabel::id>("id", Need::Required),
    realField<&LayoutLabel::x>("x", Need::Required),
    realField<&LayoutLabel::y>("y", Need::Required),
    textField<&LayoutLabel::text>("text"),
};

// The writer always gives a shape its id; a shape line without one is damage, and
// skipping it keeps a flood of bare shape lines from costing memory.
const std::vector<Field<PolygonShape>> kShapeFields = {
    integerField<&PolygonShape::id>("id", Need::Required),
    channelField<&PolygonShape::fill, &Color::r>("r"),
    channelField<&PolygonShape::fill, &Color::g>("g"),
    channelField<&PolygonShape::fill, &Color::b>("b"),
    channelField<&PolygonShape::fill, &Color::a>("a"),
    flagField<&PolygonShape::outline>("outline"),
    integerField<&PolygonShape::level>("level"),
    realField<&PolygonShape::height>("height"),
    textField<&PolygonShape::label>("label"),
};

const std::vector<Field<Tunnel>> kTunnelFields = {
    integerField<&Tunnel::id>("id", Need::Required),
    integerField<&Tunnel::portalA>("portalA", Need::Required),
    integerField<&Tunnel::portalB>("portalB", Need::Required),
    integerField<&Tunnel::anchorA>("anchorA"),
    integerField<&Tunnel::anchorB>("anchorB"),
};

const std::vector<Field<CoverLine>> kCoverFields = {
    integerField<&CoverLine::piece>("piece", Need::Required),
};

const std::vector<Field<Helix>> kHelixFields = {
    integerField<&Helix::id>("id", Need::Required),
    realField<&Helix::cx>("cx", Need::Required),
    realField<&Helix::cy>("cy", Need::Required),
    headingField<&Helix::heading>("heading"),
    textField<&Helix::variant>("variant"),
    integerField<&Helix::bottomR1>("bottomR1", Need::Required),
    integerField<&Helix::bottomR2>("bottomR2", Need::Required),
    integerField<&Helix::topR1>("topR1", Need::Required),
    integerField<&Helix::topR2>("topR2", Need::Required),
};

// What a record line starts from before its attributes are read.
Level freshLevel() {
    Level level;
    level.name.clear();
    level.trackColor = Color{180, 180, 180, 255};
    return level;
}

Helix freshHelix() {
    Helix helix;
    helix.variant = kDefaultHelixVariant;
    return helix;
}

template <typename R>
void writeFields(LineWriter& w, const std::vector<Field<R>>& fields, const R& record) {
    for (const Field<R>& f : fields)
        if (!f.omit || !f.omit(record))
            f.write(w, f.name, record);
}

// Fills `record` from the line; false when a required attribute is absent or unreadable.
template <typename R>
bool readFields(const Attributes& a, const std::vector<Field<R>>& fields, R& record) {
    bool complete = true;
    for (const Field<R>& f : fields)
        if (!f.read(a, f.name, record) && f.need == Need::Required)
            complete = false;
    return complete;
}

template <typename R>
std::optional<R> readRecord(const Attributes& a, const std::vector<Field<R>>& fields,
                            R record = R{}) {
    if (!readFields(a, fields, record))
        return std::nullopt;
    return record;
}

// A self-closed line of one record at `indent` blanks.
template <typename R>
void writeRecordLine(LineWriter& w, int indent, std::string_view tag,
                     const std::vector<Field<R>>& fields, const R& record) {
    w.open(indent, tag);
    writeFields(w, fields, record);
    w.endSelf();
}

// ---------------------------------------------------------------------------------
// Writing the sections

void writePoints(LineWriter& w, int indent, std::string_view tag,
                 const std::vector<Point>& points) {
    for (const Point& p : points)
        writeRecordLine(w, indent, tag, kPointFields, p);
}

void writeGradeRuns(LineWriter& w, const Layout& layout) {
    if (layout.gradeRuns.empty())
        return;
    w.open(2, "grade_runs");
    w.endOpen();
    for (const GradeRun& run : layout.gradeRuns)
        writeRecordLine(w, 4, "run", kRunFields, run);
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
    writeFields(w, kLevelsFields, layout);
    w.endOpen();
    for (const Level& level : layout.levels) {
        w.open(4, "level");
        writeFields(w, kLevelFields, level);
        // An outline of fewer than 3 points encloses nothing and is not stored.
        if (level.outline.size() < 3) {
            w.endSelf();
            continue;
        }
        w.endOpen();
        writePoints(w, 6, "pt", level.outline);
        w.close(4, "level");
    }
    w.close(2, "levels");
}

void writeBaseboard(LineWriter& w, const Layout& layout) {
    if (layout.baseboard.empty())
        return;
    w.open(2, "baseboard");
    w.endOpen();
    writePoints(w, 4, "vertex", layout.baseboard);
    w.close(2, "baseboard");
}

void writeLabels(LineWriter& w, const Layout& layout) {
    if (layout.labels.empty())
        return;
    w.open(2, "labels");
    w.endOpen();
    for (const LayoutLabel& label : layout.labels)
        writeRecordLine(w, 4, "label", kLabelFields, label);
    w.close(2, "labels");
}

void writeShapes(LineWriter& w, const Layout& layout) {
    if (layout.shapes.empty())
        return;
    w.open(2, "shapes");
    w.endOpen();
    for (const PolygonShape& shape : layout.shapes) {
        w.open(4, "shape");
        writeFields(w, kShapeFields, shape);
        w.endOpen();
        writePoints(w, 6, "v", shape.vertices);
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
        writeFields(w, kTunnelFields, tunnel);
        w.endOpen();
        for (int32_t piece : tunnel.covers)
            writeRecordLine(w, 6, "covers", kCoverFields, CoverLine{piece});
        w.close(4, "tunnel");
    }
    w.close(2, "tunnels");
}

void writeHelices(LineWriter& w, const Layout& layout) {
    if (layout.helices.empty())
        return;
    w.open(2, "helices");
    w.endOpen();
    for (const Helix& helix : layout.helices)
        writeRecordLine(w, 4, "helix", kHelixFields, helix);
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
    writeFields(w, kHeadFields,
                FileHead{name, 1, layout.units, layout.minClearanceH0, layout.minClearanceZ});
    w.endOpen();
    writeGradeRuns(w, layout);
    w.open(2, "pieces");
    w.endOpen();
    appendPieceLines(out, layout.pieces, 4);
    w.close(2, "pieces");
    writeScenery(w, out, layout);
    writeLevels(w, layout);
    writeBaseboard(w, layout);
    w.open(2, "lastshape");
    writeFields(w, kLastShapeFields, layout);
    w.endSelf();
    writeLabels(w, layout);
    writeShapes(w, layout);
    writeTunnels(w, layout);
    writeHelices(w, layout);
    w.close(0, "layout");
    return out;
}

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

// The `name="value"` pairs of a line, found by one pass over it, for lines in the very form
// the writer gives them. False when the line holds an entity ('&'), a second tag ('<'), an
// odd number of quotes or more pairs than kMaxWrittenPairs: such lines are left to the
// general attribute walk, which reads every spelling.
constexpr std::size_t kMaxWrittenPairs = 16;
struct WrittenPairs {
    // Quote positions: pair k's value lies between quote[2k] and quote[2k + 1].
    std::array<std::size_t, 2 * kMaxWrittenPairs> quote;
    std::size_t quotes = 0;
};

bool findWrittenPairs(std::string_view line, std::size_t from, WrittenPairs& pairs) {
    const char* const p = line.data();
    const std::size_t n = line.size();
    pairs.quotes = 0;
    const auto take = [&pairs](std::size_t at) {
        if (pairs.quotes == pairs.quote.size())
            return false;
        pairs.quote[pairs.quotes++] = at;
        return true;
    };
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"'), lt = _mm_set1_epi8('<'), amp = _mm_set1_epi8('&');
    for (; i + 16 <= n; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(c, lt), _mm_cmpeq_epi8(c, amp))))
            return false;
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, quote))); mask;
             mask &= mask - 1)
            if (!take(i + static_cast<std::size_t>(__builtin_ctz(mask))))
                return false;
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '<' || p[i] == '&')
            return false;
        if (p[i] == '"' && !take(i))
            return false;
    }
    return pairs.quotes % 2 == 0;
}

// `<piece id="1" cat="24188" x="0.0000" y="0.0000" heading="0.0000" z="0.0000"
// grade="0.0000" level="1" sel="0">` after blanks, with " rev" and " helix" where the writer
// puts them: a third of a layout's lines. Read here to the values the piece's fields read;
// a piece with its own colour, and any line in another form, is left to the general walk.
bool readWrittenPiece(std::string_view line, PlacedPiece& piece) {
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    // Plain loops: these few characters are compared millions of times.
    const auto textAt = [&line](std::size_t at, std::string_view text) {
        if (at > line.size() || line.size() - at < text.size())
            return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (line[at + i] != text[i])
                return false;
        return true;
    };
    constexpr std::string_view kTag = "<piece";
    WrittenPairs pairs;
    if (!textAt(start, kTag) || !findWrittenPairs(line, start + kTag.size(), pairs) ||
        pairs.quotes == 0 || pairs.quote[pairs.quotes - 1] + 2 != line.size() || line.back() != '>')
        return false;
    struct Expected {
        std::string_view name;
        bool optional;
    };
    static constexpr Expected kOrder[] = {{"id", false},    {"cat", false},     {"x", false},
                                          {"y", false},     {"heading", false}, {"z", false},
                                          {"grade", false}, {"rev", true},      {"level", false},
                                          {"helix", true},  {"sel", false}};
    std::array<std::string_view, std::size(kOrder)> value{};
    std::size_t pair = 0;
    std::size_t nameFrom = start + kTag.size();
    for (std::size_t k = 0; k < std::size(kOrder); ++k) {
        // ` name=` between the last value's closing quote and this value's opening one.
        const std::string_view name = kOrder[k].name;
        const std::size_t open = pair * 2 < pairs.quotes ? pairs.quote[pair * 2] : line.size();
        const bool here = open - nameFrom == name.size() + 2 && line[nameFrom] == ' ' &&
                          line[open - 1] == '=' && textAt(nameFrom + 1, name);
        if (!here) {
            if (kOrder[k].optional)
                continue;
            return false;
        }
        const std::size_t close = pairs.quote[pair * 2 + 1];
        value[k] = std::string_view(line.data() + open + 1, close - open - 1);
        nameFrom = close + 1;
        ++pair;
    }
    if (pair * 2 != pairs.quotes)
        return false;
    const std::optional<int32_t> id = readInt(value[0]), level = readInt(value[8]);
    const std::optional<int32_t> helix =
        value[9].data() ? readInt(value[9]) : std::optional<int32_t>(-1);
    const std::optional<double> x = readReal(value[2]), y = readReal(value[3]),
                                heading = readReal(value[4]), z = readReal(value[5]),
                                grade = readReal(value[6]);
    if (!id || !level || !helix || !x || !y || !heading || !z || !grade)
        return false;
    piece = PlacedPiece{};
    piece.id = *id;
    piece.part.assign(value[1]);
    piece.x = *x;
    piece.y = *y;
    piece.heading = normalizeHeading(*heading);
    piece.z = *z;
    piece.grade = *grade;
    piece.reversed = value[7] == "1";
    piece.level = *level;
    piece.helix = *helix;
    piece.selected = value[10] == "1";
    return true;
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

template <typename Lines>
PieceSectionEnd readPieceSection(Lines& lines, std::vector<PlacedPiece>& pieces, int32_t& maxId) {
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
        const bool asWritten = readWrittenPiece(line, written);
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
        } else if (kind == PieceLine::Joint && current >= 0) {
            attrs.parse(line);
            if (std::optional<JointLine> read = readRecord(attrs, kJointFields))
                applyJoint(*read, pieces[static_cast<std::size_t>(current)]);
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
            return "Not a layout file: " + path;
        if (layoutClosed_)
            return {};
        const char* inside = inPieces_      ? "pieces"
                             : inLevels_    ? "levels"
                             : inScenery_   ? "scenery"
                             : inBaseboard_ ? "baseboard"
                                            : "layout";
        return "The file is cut off: it ends at line " + std::to_string(lineNumber_) + " inside <" +
               inside + ">, so part of the layout is missing: " + path;
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
                const PieceSectionEnd end = readPieceSection(lines, out_.pieces, maxId_);
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

} // namespace

namespace {
FileRead layoutFileSize(const std::string& path, std::size_t& size) {
    // Only regular files: a folder or a device such as /dev/zero is no layout.
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(fsPath(path), ec);
    if (ec)
        return FileRead::Unreadable;
    if (bytes > kMaxFileBytes)
        return FileRead::TooLarge;
    size = static_cast<std::size_t>(bytes);
    return FileRead::Ok;
}
} // namespace

FileRead readWholeFile(const std::string& path, std::string& content) {
    std::size_t size = 0;
    if (const FileRead sized = layoutFileSize(path, size); sized != FileRead::Ok)
        return sized;
    std::FILE* f = openFile(path, "rb");
    if (!f)
        return FileRead::Unreadable;
    content.clear();
    content.reserve(size);
    std::vector<char> chunk(1 << 16);
    std::size_t n = 0;
    // The file may grow while it is read; the limit holds all the same.
    while (content.size() <= kMaxFileBytes &&
           (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0)
        content.append(chunk.data(), n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (content.size() > kMaxFileBytes)
        return FileRead::TooLarge;
    return ok ? FileRead::Ok : FileRead::Unreadable;
}

namespace {

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
        writeFields(w, kPieceFields, p);
        w.endOpen();
        for (std::size_t c = 0; c < p.joints.size(); ++c) {
            const Joint& j = p.joints[c];
            if (!j.isFree())
                writeRecordLine(w, indent + 2, "joint", kJointFields,
                                JointLine{static_cast<int32_t>(c), j.target, j.targetConn});
        }
        w.close(indent, "piece");
    }
}

void appendSceneryItemLine(std::string& out, const SceneryItem& item, int indent) {
    LineWriter w(out);
    writeRecordLine(w, indent, "sceneryitem", kSceneryFields, item);
}

std::optional<SceneryItem> readSceneryItemLine(std::string_view line) {
    Attributes attrs;
    attrs.parse(line);
    return readRecord(attrs, kSceneryFields);
}

char* writeFixed4(char* first, double v) {
    // Where the scaled value lies clearly off a half, rounding it is rounding the exact value;
    // below 2^40 its error is under 1.2e-4, far inside the margin. Near a half, and for huge
    // or non-finite values, the library decides.
    const double scaled = std::fabs(v) * 10000.0;
    if (scaled < 0x1p40) {
        const double whole = std::floor(scaled);
        const double frac = scaled - whole;
        if (std::fabs(frac - 0.5) > 1e-3) {
            const auto n = static_cast<uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
            if (std::signbit(v))
                *first++ = '-';
            first = std::to_chars(first, first + 24, n / 10000).ptr;
            *first++ = '.';
            uint64_t decimals = n % 10000;
            for (int i = 3; i >= 0; --i) {
                first[i] = static_cast<char>('0' + decimals % 10);
                decimals /= 10;
            }
            return first + 4;
        }
    }
    return std::to_chars(first, first + kMaxFixed4Chars, v, std::chars_format::fixed, 4).ptr;
}

namespace {
// The plain decimals the writer produces ("-12.3456", "42"), read without the general
// conversion: up to 15 digits make an exact integer, and one division by an exact power of
// ten rounds correctly, so the value is the one the library would give. Anything else
// (exponents, more digits, no digits) is left to the library.
std::optional<double> plainDecimal(std::string_view text) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    // Too many digits wrap the sum around; such a number is left to the library anyway.
    uint64_t digits = 0;
    const auto readDigits = [&] {
        const char* const from = p;
        for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
        return static_cast<int>(p - from);
    };
    const int whole = readDigits();
    int decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = readDigits();
    }
    if (whole + decimals == 0 || whole + decimals > 15 || (p < end && (*p == 'e' || *p == 'E')))
        return std::nullopt;
    const double v = static_cast<double>(digits) / kPowersOfTen[decimals];
    return negative ? -v : v;
}
} // namespace

std::optional<int32_t> readInt(std::string_view text) {
    text = skipNumberLead(text);
    // Up to nine digits always fit; longer numbers and other spellings go to the library.
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t first = i;
    int64_t plain = 0;
    for (; i < text.size() && i - first < 10 && text[i] >= '0' && text[i] <= '9'; ++i)
        plain = plain * 10 + (text[i] - '0');
    if (i > first && i - first < 10 && (i == text.size() || text[i] < '0' || text[i] > '9'))
        return static_cast<int32_t>(first ? -plain : plain);
    int32_t v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec != std::errc())
        return std::nullopt;
    return v;
}

std::optional<double> readReal(std::string_view text) {
    text = skipNumberLead(text);
    double v = 0;
    if (std::optional<double> plain = plainDecimal(text)) {
        v = *plain;
    } else {
        auto res = std::from_chars(text.data(), text.data() + text.size(), v);
        if (res.ec != std::errc() || !std::isfinite(v))
            return std::nullopt;
    }
    if (std::fabs(v) > kMaxFileReal)
        return std::nullopt;
    return v;
}

std::string saveLayout(const Layout& layout, const std::string& path, const std::string& name) {
    return writeFileReplacing(path, layoutText(layout, name));
}

std::string layoutFileText(const Layout& layout, const std::string& name) {
    return layoutText(layout, name);
}

namespace {
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
    std::size_t size = 0;
    FileRead outcome = layoutFileSize(path, size);
    std::FILE* f = outcome == FileRead::Ok ? openFile(path, "rb") : nullptr;
    std::string problem;
    if (f) {
        FileLines lines(f, size);
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
        return "Cannot open file: " + path;
    case FileRead::TooLarge:
        break;
    }
    return "The file is larger than 256 MB and cannot be a Plandor layout.";
}

LoadedLayout loadLayoutCopy(const std::string& path, const Layout& base) {
    LoadedLayout loaded{base, {}, {}};
    loaded.error = loadLayout(loaded.layout, path, loaded.name);
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
