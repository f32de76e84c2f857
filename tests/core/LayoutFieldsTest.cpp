// The quick piece reader and the general attribute walk read the same piece table: every
// piece line the writer gives reads alike on both paths, every row of the table included.

#include "core/model/LayoutFields.h"

#include <gtest/gtest.h>

#include <set>

namespace plandor {
namespace {

using namespace layoutfile;

// The opening line of the piece as the writer gives it.
std::string pieceLine(const PlacedPiece& piece) {
    std::string out;
    appendPieceLines(out, {piece}, 4);
    return out.substr(0, out.find('\n'));
}

PlacedPiece generalRead(std::string_view line) {
    Attributes attrs;
    attrs.parse(line);
    std::optional<PlacedPiece> read = readRecord(attrs, kPieceFields);
    EXPECT_TRUE(read.has_value()) << line;
    return read.value_or(PlacedPiece{});
}

PlacedPiece plainPiece() {
    PlacedPiece p;
    p.id = 12;
    p.part = "24188";
    p.x = 10.5;
    p.y = -20.25;
    p.heading = 30;
    return p;
}

TEST(LayoutFields, WrittenPieceLinesReadAlikeOnBothPaths) {
    struct Case {
        const char* what;
        void (*change)(PlacedPiece&);
    };
    const Case cases[] = {
        {"plain", [](PlacedPiece&) {}},
        {"reversed", [](PlacedPiece& p) { p.reversed = true; }},
        {"in a helix", [](PlacedPiece& p) { p.helix = 7; }},
        {"selected", [](PlacedPiece& p) { p.selected = true; }},
        {"own colour",
         [](PlacedPiece& p) {
             p.hasColor = true;
             p.color = Color{12, 34, 56, 255};
         }},
        {"raised and graded",
         [](PlacedPiece& p) {
             p.z = 42.5;
             p.grade = -3;
             p.level = 3;
         }},
        {"everything at once",
         [](PlacedPiece& p) {
             p.reversed = true;
             p.helix = 9;
             p.selected = true;
             p.hasColor = true;
             p.color = Color{200, 100, 0, 255};
             p.z = 1;
             p.grade = 2;
         }},
    };
    for (const Case& c : cases) {
        PlacedPiece piece = plainPiece();
        c.change(piece);
        const std::string line = pieceLine(piece);
        PlacedPiece quick;
        ASSERT_TRUE(readPieceInTableOrder(line, quick)) << c.what << ": " << line;
        EXPECT_EQ(quick, generalRead(line)) << c.what;
        EXPECT_EQ(quick.part, piece.part) << c.what;
        EXPECT_EQ(quick.color, piece.color) << c.what;
        EXPECT_EQ(quick.helix, piece.helix) << c.what;
    }
}

// A row added to the table is written; the quick reader walks the same rows, so a line with
// every row in it must read on the quick path and give every value back.
TEST(LayoutFields, EveryTableRowIsWrittenAndReadByTheQuickPath) {
    PlacedPiece piece = plainPiece();
    piece.reversed = true;
    piece.helix = 4;
    piece.hasColor = true;
    piece.color = Color{1, 2, 3, 255};
    const std::string line = pieceLine(piece);
    Attributes attrs;
    attrs.parse(line);
    for (const Field<PlacedPiece>& field : kPieceFields)
        EXPECT_TRUE(attrs.has(field.name)) << field.name << " missing from " << line;
    PlacedPiece quick;
    ASSERT_TRUE(readPieceInTableOrder(line, quick));
    piece.joints.clear();
    EXPECT_EQ(quick, piece);
}

TEST(LayoutFields, LinesInAnotherFormAreLeftToTheGeneralWalk) {
    const std::string written = pieceLine(plainPiece());
    struct Case {
        const char* what;
        std::string line;
    };
    const Case cases[] = {
        {"unknown attribute",
         R"(<piece id="1" cat="24188" x="0" y="0" heading="0" z="0" grade="0" level="1" sel="0" extra="1">)"},
        {"attributes reordered",
         R"(<piece cat="24188" id="1" x="0" y="0" heading="0" z="0" grade="0" level="1" sel="0">)"},
        {"required value unreadable",
         R"(<piece id="one" cat="24188" x="0" y="0" heading="0" z="0" grade="0" level="1" sel="0">)"},
        {"entity in a value",
         R"(<piece id="1" cat="a&amp;b" x="0" y="0" heading="0" z="0" grade="0" level="1" sel="0">)"},
        {"self-closed", written.substr(0, written.size() - 1) + "/>"},
        {"a joint", R"(<joint conn="0" target="2" tconn="1"/>)"},
    };
    for (const Case& c : cases) {
        PlacedPiece piece;
        EXPECT_FALSE(readPieceInTableOrder(c.line, piece)) << c.what;
    }
}

} // namespace
} // namespace plandor
