#include "core/model/LayoutFile.h"

#include "LayoutGenerator.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace plandor {
namespace {

double libraryValue(std::string_view text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// The fast fixed-point writer gives the library's text for every value, near halves, signs and
// huge magnitudes included (the saved file depends on it byte for byte), and what it writes
// reads back as the very value the library conversion gives, bit for bit, signed zeros too.
TEST(LayoutReading, WrittenDecimalsAreTheLibrarysBothWays) {
    // clang-format off
    std::vector<double> values = {0.0, -0.0, 0.03125, -0.03125, 0.00005, -0.00004, 1.23445,
                                  0.99995, 9999.99995, 359.99999, 1e9, -1e9, 0x1p40 / 1e4,
                                  0x1p40 / 1e4 + 0.5, 1e300, -1e-300, 2.5e-5,
                                  std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    // clang-format on
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<int>(random() % 16) - 6);
        const double v = std::uniform_real_distribution<double>(-1, 1)(random) * magnitude;
        // Values on a half of the last decimal, and just beside it.
        const double half = (std::round(v * 1e4) + 0.5) / 1e4;
        values.insert(values.end(), {v, half, std::nextafter(half, 0.0)});
    }
    for (double v : values) {
        char mine[kMaxFixed4Chars];
        char library[kMaxFixed4Chars];
        const std::string_view written(mine, std::size_t(writeFixed4(mine, v) - mine));
        const auto res =
            std::to_chars(library, library + sizeof library, v, std::chars_format::fixed, 4);
        ASSERT_EQ(written, std::string_view(library, std::size_t(res.ptr - library)))
            << std::hexfloat << v;
        if (!(std::fabs(v) < 1e9)) // beyond any size a layout can hold: refused, see below
            continue;
        const std::optional<double> read = readReal(written);
        ASSERT_TRUE(read) << written;
        const double expected = libraryValue(written);
        ASSERT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << written;
    }
}

TEST(LayoutReading, OtherSpellingsFollowTheLibrary) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.", 1.0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"+2.25", 2.25},
        {"  3", 3.0},
        {"1.2.3", 1.2},
        {"7abc", 7.0},
        {"1e3", 1000.0},
        {"2E-2", 0.02},
        {"0x10", 0.0},
        {"0.12345678901234567", 0.12345678901234567},
        {"-0.0000", -0.0},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"--1", std::nullopt},
        {"1000000001", std::nullopt}, // beyond any size a layout can hold
        {"1e309", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> read = readReal(c.text);
        ASSERT_EQ(read.has_value(), c.value.has_value()) << c.text;
        if (read) {
            EXPECT_EQ(*read, *c.value) << c.text;
            EXPECT_EQ(std::signbit(*read), std::signbit(*c.value)) << c.text;
        }
    }
    EXPECT_EQ(readInt("2147483647"), 2147483647);
    EXPECT_EQ(readInt("2147483648"), std::nullopt);
    EXPECT_EQ(readInt("12abc"), 12);
    EXPECT_EQ(readInt("abc"), std::nullopt);
}

// Joint lines as the writer makes them take a short way; every other spelling still reads as
// the attributes say, and damage is still dropped.
TEST(LayoutReading, JointLinesReadTheSameWhateverTheirSpelling) {
    struct Case {
        const char* line;
        std::optional<Joint> joint; // of connector 1
    } cases[] = {
        {R"(      <joint conn="1" target="7" tconn="0"/>)", Joint{7, 0}},
        {"\t<joint conn=\"1\" target=\"7\" tconn=\"0\"/>\r", Joint{7, 0}},
        {R"(<joint conn="01" target="123456789" tconn="2"/>)", Joint{123456789, 2}},
        {R"(<joint conn="1" target="2147483647" tconn="0"/>)", Joint{2147483647, 0}},
        {R"(<joint conn="1" target="9999999999" tconn="0"/>)", std::nullopt},
        {R"(<joint conn="1" target="-1" tconn="+3"/>)", Joint{-1, 3}},
        {R"(<joint tconn="0" target="7" conn="1"/>)", Joint{7, 0}},
        {R"(<joint conn="1" target="7" tconn="0"/> <!-- note -->)", Joint{7, 0}},
        {R"(<joint conn="1" target="7" tconn="0" extra="5"/>)", Joint{7, 0}},
        {R"(<joint conn="1" target="7"/>)", std::nullopt},
        {R"(<joint conn="1" target="7" tconn="64"/>)", std::nullopt},
        {R"(<joint conn="1" target="7x" tconn="0"/>)", Joint{7, 0}},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("<layout name=\"J\" version=\"1\">\n<pieces>\n") +
                                 R"(<piece id="7" cat="24188" x="0" y="0" heading="0">)"
                                 "\n" +
                                 c.line + "\n</piece>\n</pieces>\n</layout>\n";
        Layout layout;
        std::string name;
        readLayoutText(layout, text, name);
        ASSERT_EQ(layout.pieces.size(), 1u) << c.line;
        const std::vector<Joint>& joints = layout.pieces[0].joints;
        if (c.joint) {
            ASSERT_EQ(joints.size(), 2u) << c.line;
            EXPECT_EQ(joints[1], *c.joint) << c.line;
        } else {
            EXPECT_TRUE(joints.size() < 2 || joints[1].isFree()) << c.line;
        }
    }
}

// Piece lines as the writer makes them take a short way too. Each line below is read as it
// stands and again with its first attribute moved to the end, which only the general walk
// reads; both must give the same piece, or both none.
TEST(LayoutReading, PieceLinesReadTheSameInTheWriterOrderAndAnyOther) {
    const auto movedFirstAttributeLast = [](const std::string& line) {
        const std::size_t from = line.find(' ', line.find('<'));
        const std::size_t to = line.find('"', line.find('"', from) + 1) + 1;
        std::string moved = line;
        moved.erase(from, to - from);
        return moved.insert(moved.rfind('>'), line.substr(from, to - from));
    };
    const auto read = [](const std::string& pieceLines) {
        Layout layout;
        std::string name;
        readLayoutText(layout,
                       "<layout name=\"P\" version=\"1\">\n<pieces>\n" + pieceLines +
                           "</pieces>\n</layout>\n",
                       name);
        return layoutFileText(layout, name);
    };
    Layout generated = generateLayout(3000);
    for (std::size_t i = 0; i < generated.pieces.size(); i += 7) {
        PlacedPiece& p = generated.pieces[i];
        p.reversed = i % 2 == 0;
        p.helix = i % 3 == 0 ? int32_t(i) : -1;
        p.selected = i % 5 == 0;
        p.heading = i % 4 == 0 ? 359.99999 : p.heading;
    }
    std::vector<std::string> lines;
    std::istringstream text(layoutFileText(generated, "G"));
    for (std::string line; std::getline(text, line);)
        if (line.find("<piece ") != std::string::npos)
            lines.push_back(line);
    for (
        const char* odd : {
            R"(<piece id="1" cat="24188" x="1e3" y="+2" heading="-90" z="5" grade="1" level="2" sel="1">)",
            R"(<piece id="1" cat="24188" x="1" y="2" heading="360.0000" z="" grade="x" level="2" sel="1">)",
            R"(<piece id="1" cat="24188" x="abc" y="2" heading="0" z="0" grade="0" level="1" sel="0">)",
            R"(<piece id="99999999999" cat="24188" x="1" y="2" heading="0" z="0" grade="0" level="1" sel="0">)",
            R"(<piece id="1" cat="A&amp;B" x="1" y="2" heading="0" z="0" grade="0" level="1" sel="0">)",
            R"(<piece id="1" cat="24188" x="1" y="2" heading="0" z="0" grade="0" rev="2" level="1" helix="q" sel="2">)",
            R"(<piece id="1" cat="24188" x="1" y="2" heading="0" z="0" grade="0" rev="1" level="1" helix="4" sel="2">)",
            R"(<piece id="1" cat="24188" x="1" y="2" heading="0" z="0" grade="0" level="1" sel="0" extra="1">)",
            R"(<piece id="1" cat="24188" x="1" y="2" heading="0" z="0" grade="0" level="1" sel="0"/>)",
            R"(<piece id="1" cat="24188" x="1" y="2</pieces>" heading="0" z="0" grade="0" level="1" sel="0">)",
        })
        lines.push_back(std::string("    ") + odd);
    for (const std::string& line : lines)
        ASSERT_EQ(read(line + "\n"), read(movedFirstAttributeLast(line) + "\n")) << line;
}

// A file is read a block at a time; whatever the block edges cut (a CR LF pair, a line longer
// than a block), the layout is the one the same bytes give when read whole.
TEST(LayoutReading, AFileReadsAsItsTextReadsWhole) {
    const std::string folder = tempFolder();
    ASSERT_FALSE(folder.empty());
    Layout big = generateLayout(8000);
    LayoutLabel label;
    label.id = 1;
    label.text = std::string(3u << 20, 'x'); // one line of three blocks
    big.labels.push_back(label);
    const std::string lf = layoutFileText(big, "Big");
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string* text : {&lf, static_cast<const std::string*>(&crlf)}) {
        const std::string path = folder + "/big.plo";
        std::ofstream(path, std::ios::binary) << *text;
        Layout fromFile, fromText;
        std::string fileName, textName;
        // The share read is told block by block, rising to the whole file.
        std::vector<int> told;
        ASSERT_EQ(loadLayout(fromFile, path, fileName, [&](int p) { told.push_back(p); }), "");
        ASSERT_GE(told.size(), text->size() >> 20) << "once a block";
        EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
        EXPECT_GE(told.front(), 0);
        EXPECT_EQ(told.back(), 100);
        readLayoutText(fromText, *text, textName);
        EXPECT_EQ(fileName, "Big");
        EXPECT_EQ(fromFile.pieces.size(), big.pieces.size());
        EXPECT_TRUE(layoutFileText(fromFile, fileName) == layoutFileText(fromText, textName));
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace plandor
