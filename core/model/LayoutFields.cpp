#include "core/model/LayoutFields.h"

#include "core/catalog/TrackCatalog.h"

#include <array>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plandor {

namespace layoutfile {

namespace {
const char* const kDefaultHelixVariant = "proses_2_5_r1r2";
} // namespace

int32_t packColor(Color c) {
    return c.r * 65536 + c.g * 256 + c.b;
}

// A piece's own colour: one integer, red * 65536 + green * 256 + blue.
Field<PlacedPiece> pieceColorField() {
    return {"color", Need::Optional,
            [](LineWriter& w, std::string_view n, const PlacedPiece& p) {
                w.integer(n, packColor(p.color));
            },
            [](const std::string_view* text, PlacedPiece& p) {
                auto color = integerOf(text);
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
            [](const std::string_view* text, FileHead& h) {
                auto number = integerOf(text);
                const std::optional<Units> units = number ? unitsFromNumber(*number) : std::nullopt;
                h.units = units.value_or(Units::Millimetres);
                return units.has_value();
            }};
}

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

namespace {

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

} // namespace

bool readPieceInTableOrder(std::string_view line, PlacedPiece& piece) {
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
    piece = PlacedPiece{};
    std::size_t pair = 0;
    std::size_t nameFrom = start + kTag.size();
    for (const Field<PlacedPiece>& field : kPieceFields) {
        // ` name=` between the last value's closing quote and this value's opening one.
        const std::string_view name = field.name;
        const std::size_t open = pair * 2 < pairs.quotes ? pairs.quote[pair * 2] : line.size();
        const bool here = open - nameFrom == name.size() + 2 && line[nameFrom] == ' ' &&
                          line[open - 1] == '=' && textAt(nameFrom + 1, name);
        if (!here) {
            if (field.omit)
                continue;
            return false;
        }
        const std::size_t close = pairs.quote[pair * 2 + 1];
        const std::string_view value(line.data() + open + 1, close - open - 1);
        if (!field.read(&value, piece) && field.need == Need::Required)
            return false;
        nameFrom = close + 1;
        ++pair;
    }
    return pair * 2 == pairs.quotes;
}

} // namespace layoutfile

namespace {
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

} // namespace

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
} // namespace plandor
