// Lookups by id are answered from a kept map; whatever changes the piece list, the answer
// must be the one a plain scan gives.
#include "EditingTestSupport.h"
#include "core/app/FileCommands.h"
#include "core/editing/Clipboard.h"
#include "core/editing/Delete.h"
#include "core/editing/Levels.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

using namespace plandor;
using namespace plandor::testing;

namespace {

void expectLookupsMatchScan(const Layout& layout, int32_t highestId) {
    for (int32_t id = -2; id <= highestId + 2; ++id) {
        const auto it = std::find_if(layout.pieces.begin(), layout.pieces.end(),
                                     [id](const PlacedPiece& p) { return p.id == id; });
        ASSERT_EQ(layout.findPiece(id), it == layout.pieces.end() ? nullptr : &*it) << "id " << id;
    }
}

void selectOnly(Layout& layout, std::initializer_list<int32_t> ids) {
    for (PlacedPiece& p : layout.pieces)
        p.selected = std::find(ids.begin(), ids.end(), p.id) != ids.end();
}

} // namespace

TEST(LayoutLookup, EveryEditLeavesLookupsAsAScanFindsThem) {
    Document doc;
    doc.layout.ensureDefaultLevel();
    Layout& layout = doc.layout;
    ScriptedPrompter prompter;
    Clipboard clipboard;
    int32_t upper = 0;
    for (int i = 0; i < 60; ++i)
        upper = addPiece(layout, "24188", 200.0 * i, 0, 0, i < 40 ? 1 : 2).id;
    layout.levels.push_back(Level{2, "Level 2"});

    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"delete from the front",
         [&] {
             selectOnly(layout, {1, 2, 3});
             editStep(doc, [&] { return deleteSelection(layout, prompter); });
         }},
        {"undo", [&] { doc.undo(); }},
        {"copy and paste",
         [&] {
             selectOnly(layout, {10, 11, 12, 13});
             copySelection(layout, clipboard);
             editStep(doc, [&] { return pasteAt(layout, clipboard, Point{0, 900}); });
         }},
        {"remove a level", [&] { editStep(doc, [&] { return removeLevel(layout, 2).content; }); }},
        {"reorder", [&] { std::reverse(layout.pieces.begin(), layout.pieces.end()); }},
        {"replace id in place", [&] { layout.pieces[5].id = layout.takeId(); }},
        {"copy of the layout",
         [&] {
             const Layout copy = layout;
             expectLookupsMatchScan(copy, static_cast<int32_t>(layout.nextId));
         }},
        {"open another, then fill it",
         [&] {
             doc.replace(Layout{}, "", "");
             for (int i = 0; i < 5; ++i)
                 addPiece(layout, "24188", 100.0 * i, 0);
         }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        upper = std::max(upper, static_cast<int32_t>(layout.nextId));
        expectLookupsMatchScan(layout, upper);
        // A second round finds everything through the repaired map.
        expectLookupsMatchScan(layout, upper);
    }
}

// A file may name ids that no object carries (a joint to a piece it lacks, a tunnel over
// one). Such references are kept as written and the counter stays as the file says, but the
// objects created afterwards must not take those ids, or they would inherit the reference.
TEST(LayoutIds, NewObjectsPassOverIdsThatTheFileNamesButNothingCarries) {
    Layout written = emptyLayout();
    PlacedPiece& piece = addPiece(written, "24188");
    piece.joints[1] = Joint{5, 0};
    const int32_t pieceId = piece.id;
    written.tunnels.push_back(Tunnel{written.takeId(), -1, -1, pieceId, -1, {pieceId, 7}});
    addLabel(written, "three");
    ASSERT_EQ(written.labels.back().id, 3);

    Layout read;
    std::string name;
    readLayoutText(read, layoutFileText(written, "Dangling"), name);
    EXPECT_EQ(read.nextId, 4u) << "one past the largest id read";
    EXPECT_EQ(read.pieces.at(0).joints.at(1), (Joint{5, 0})) << "kept as written";

    std::vector<int32_t> taken;
    for (int i = 0; i < 4; ++i)
        taken.push_back(addPiece(read, "24188", 200.0 * i, 500).id);
    EXPECT_EQ(taken, (std::vector<int32_t>{4, 6, 8, 9}));
    for (const PlacedPiece& p : read.pieces) {
        if (p.id != 1) {
            for (const Joint& j : p.joints)
                EXPECT_TRUE(j.isFree()) << "piece " << p.id;
        }
    }
    EXPECT_EQ(read.tunnels.at(0).covers, (std::vector<int32_t>{1, 7}));

    // A new layout passes over nothing.
    resetToEmptyLayout(read);
    EXPECT_EQ(read.takeId(), 1);
    EXPECT_EQ(read.takeId(), 2);
}
