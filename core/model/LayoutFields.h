#pragma once
// The field tables of the layout and block files: one table per record, in the file's
// attribute order. Each row says how its attribute is written and read and whether the
// record is kept without it; the same rows drive the writer and both readers.

#include "core/catalog/TrackCatalog.h"
#include "core/model/Layout.h"
#include "core/model/LayoutFile.h"
#include "core/model/LayoutLines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandor::layoutfile {

// The entity that stands for a character the attribute values must not hold.
inline std::string_view entityFor(char c) {
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

inline uint8_t clampByte(int32_t v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

// The number an attribute's text holds; nothing when the attribute is absent.
inline std::optional<int32_t> integerOf(const std::string_view* text) {
    return text ? readInt(*text) : std::nullopt;
}
inline std::optional<double> realOf(const std::string_view* text) {
    return text ? readReal(*text) : std::nullopt;
}

enum class Need { Optional, Required };

template <typename R> struct Field {
    std::string_view name;
    Need need;
    void (*write)(LineWriter&, std::string_view name, const R&);
    // Sets the value from the attribute's text, null when the line lacks it; false when it
    // is absent or unreadable, in which case the record keeps the value it started with.
    bool (*read)(const std::string_view* value, R&);
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
            [](const std::string_view* text, RecordOf<M>& r) {
                auto v = integerOf(text);
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
            [](const std::string_view* text, RecordOf<M>& r) {
                auto v = integerOf(text);
                if (v)
                    (r.*M).*Channel = clampByte(*v);
                return v.has_value();
            }};
}

template <auto M> Field<RecordOf<M>> realField(std::string_view name, Need need = Need::Optional) {
    return {name, need,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.real(n, r.*M); },
            [](const std::string_view* text, RecordOf<M>& r) {
                auto v = realOf(text);
                if (v)
                    r.*M = *v;
                return v.has_value();
            }};
}

// Headings are kept in [0, 360).
template <auto M> Field<RecordOf<M>> headingField(std::string_view name) {
    return {name, Need::Required,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.heading(n, r.*M); },
            [](const std::string_view* text, RecordOf<M>& r) {
                auto v = realOf(text);
                if (v)
                    r.*M = normalizeHeading(*v);
                return v.has_value();
            }};
}

// True exactly when the value is "1".
template <auto M> Field<RecordOf<M>> flagField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.flag(n, r.*M); },
            [](const std::string_view* v, RecordOf<M>& r) {
                if (v)
                    r.*M = *v == "1";
                return v != nullptr;
            }};
}

// False exactly when the value is "0".
template <auto M> Field<RecordOf<M>> unlessZeroFlagField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.flag(n, r.*M); },
            [](const std::string_view* v, RecordOf<M>& r) {
                if (v)
                    r.*M = *v != "0";
                return v != nullptr;
            }};
}

template <auto M> Field<RecordOf<M>> textField(std::string_view name) {
    return {name, Need::Optional,
            [](LineWriter& w, std::string_view n, const RecordOf<M>& r) { w.text(n, r.*M); },
            [](const std::string_view* v, RecordOf<M>& r) {
                if (!v)
                    return false;
                r.*M = unescapeText(*v);
                return true;
            }};
}

// The attributes of the `<layout` line; the name belongs to the caller, not the layout.
struct FileHead {
    std::string name;
    int32_t version = 1;
    Units units = Units::Millimetres;
    double clearanceH0 = kDefaultClearanceH0;
    double clearanceZ = kDefaultClearanceZ;
};

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

extern const std::vector<Field<FileHead>> kHeadFields;
extern const std::vector<Field<GradeRun>> kRunFields;
extern const std::vector<Field<PlacedPiece>> kPieceFields;
extern const std::vector<Field<JointLine>> kJointFields;
extern const std::vector<Field<SceneryItem>> kSceneryFields;
extern const std::vector<Field<Layout>> kLevelsFields;
extern const std::vector<Field<Level>> kLevelFields;
extern const std::vector<Field<Point>> kPointFields;
extern const std::vector<Field<Layout>> kLastShapeFields;
extern const std::vector<Field<LayoutLabel>> kLabelFields;
extern const std::vector<Field<PolygonShape>> kShapeFields;
extern const std::vector<Field<Tunnel>> kTunnelFields;
extern const std::vector<Field<CoverLine>> kCoverFields;
extern const std::vector<Field<Helix>> kHelixFields;

// What a level and a helix line start from before their attributes are read.
Level freshLevel();
Helix freshHelix();

// A piece line in the very form the writer gives it, read without the general attribute
// walk: after blanks, "<piece", then the attributes of the piece table in the table's order,
// each once, those the writer leaves out when unneeded possibly absent, and ">" at the end;
// no entities. False, with `piece` unspecified, for any other line and for a line that lacks
// a required value: such lines are left to the general walk, which reads every spelling.
// The same table drives both, so a field added to it is read on either path.
bool readPieceInTableOrder(std::string_view line, PlacedPiece& piece);

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
        if (!f.read(a.raw(f.name), record) && f.need == Need::Required)
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
} // namespace plandor::layoutfile
