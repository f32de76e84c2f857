// The operations the window calls on the open document: each is one edit when it changes
// something, and a refusal leaves the document as it was, with no undo step and no modified
// mark. Also the one producer of the status bar's texts and the levels dialog's session.

#include "EditingTestSupport.h"
#include "TempFolder.h"

#include "core/app/MainWindowRules.h"
#include "core/app/PropertiesModel.h"
#include "core/canvas/DrawingTool.h"
#include "core/canvas/SceneryGestures.h"
#include "core/editing/Autofill.h"
#include "core/editing/Delete.h"
#include "core/editing/InsertBlock.h"
#include "core/editing/LayoutShape.h"
#include "core/editing/Levels.h"
#include "core/editing/Placing.h"
#include "core/editing/Rotate.h"
#include "core/editing/SceneryResize.h"
#include "core/editing/Selection.h"
#include "core/elevation/Grades.h"
#include "core/elevation/Tunnels.h"
#include "core/model/BlockFile.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

namespace plandor {
namespace {

struct NoFill : FillChooser {
    int chooseFill(const FillDialog&) override { return -1; }
};

// Two straights joined end to end, and a tree.
struct Fixture {
    Document doc;
    ScriptedPrompter prompter;
    int32_t first = -1;
    int32_t second = -1;
    int32_t tree = -1;

    Fixture() {
        doc.layout = emptyLayout();
        first = addPiece(doc.layout, "24188").id;
        second = attachPiece(doc.layout, first, 1, "24188").id;
        tree = addScenery(doc.layout, "tree", 50, 80).id;
    }
    void select(int32_t piece) { doc.layout.findPiece(piece)->selected = true; }
    PropertiesState contextOf(int32_t piece) {
        PropertiesState state;
        state.contextPiece = piece;
        return state;
    }
};

struct OperationCase {
    const char* name;
    std::function<Change(Fixture&)> run;
    bool takesStep; // one undo step and the modified mark; otherwise nothing at all
};

// A block file that holds nothing, inserted through the palette's insertion.
Change insertEmptyBlock(Fixture& f) {
    const std::string dir = tempFolder();
    writeFile(dir + "/Empty.xml", blockFileText(Layout{}, "Empty"));
    const Change change = insertBlockAsEdit(f.doc, dir + "/Empty.xml", f.prompter);
    std::filesystem::remove_all(dir);
    return change;
}

// The measuring tape clicked at `start` and then at `end`.
Change tapeClicks(Fixture& f, Point start, Point end) {
    DrawingTool tape;
    tape.start(ToolMode::Measure);
    tape.click(f.doc, start, ViewTransform{1, 0, 0});
    return tape.click(f.doc, end, ViewTransform{1, 0, 0}).change;
}

std::vector<OperationCase> operationCases() {
    return {
        {"auto-connect with nothing selected",
         [](Fixture& f) { return autoConnect(f.doc, "24188"); }, false},
        {"auto-connect of an unknown part",
         [](Fixture& f) {
             f.select(f.second);
             return autoConnect(f.doc, "no-such-part");
         },
         false},
        {"auto-connect to the free end of the selection",
         [](Fixture& f) {
             f.select(f.second);
             return autoConnect(f.doc, "24188");
         },
         true},
        {"clone of a piece that is gone", [](Fixture& f) { return cloneAndExtend(f.doc, 999); },
         false},
        {"clone onto a free end", [](Fixture& f) { return cloneAndExtend(f.doc, f.second); }, true},
        {"helix at a point",
         [](Fixture& f) {
             return placeHelix(f.doc, Point{500, 500}, 0, "");
         },
         true},
        {"tunnel without a chain selected", [](Fixture& f) { return runTunnelCommand(f.doc); },
         false},
        {"tunnel over the selected chain",
         [](Fixture& f) {
             f.select(f.first);
             f.select(f.second);
             return runTunnelCommand(f.doc);
         },
         true},
        {"delete with nothing selected",
         [](Fixture& f) { return deleteSelection(f.doc, f.prompter); }, false},
        {"delete of the selection",
         [](Fixture& f) {
             f.select(f.first);
             return deleteSelection(f.doc, f.prompter);
         },
         true},
        {"rotate with nothing selected",
         [](Fixture& f) { return rotateSelectionByCommand(f.doc, f.prompter); }, false},
        {"rotate of the selection",
         [](Fixture& f) {
             f.select(f.first);
             return rotateSelectionByCommand(f.doc, f.prompter);
         },
         true},
        {"scenery resize cancelled",
         [](Fixture& f) {
             SceneryResizeForm form;
             form.itemId = f.tree;
             form.scaleX = 2;
             return applySceneryResize(f.doc, form, SceneryResizeChoice::Cancel);
         },
         false},
        {"scenery resize of an item that is gone",
         [](Fixture& f) {
             SceneryResizeForm form;
             form.itemId = 999;
             return applySceneryResize(f.doc, form, SceneryResizeChoice::Ok);
         },
         false},
        {"scenery resize kept",
         [](Fixture& f) {
             SceneryResizeForm form;
             form.itemId = f.tree;
             form.scaleX = form.scaleY = 2;
             return applySceneryResize(f.doc, form, SceneryResizeChoice::Ok);
         },
         true},
        {"layout shape that does not read",
         [](Fixture& f) {
             ShapeResult result;
             result.board.outline = {{0, 0}, {100, 0}, {100, 100}};
             result.problem = "Line 2 does not read";
             return applyShapeResult(f.doc, result);
         },
         false},
        {"layout shape drawn on the canvas",
         [](Fixture& f) {
             ShapeResult result;
             result.drawOnCanvas = true;
             return applyShapeResult(f.doc, result);
         },
         false},
        {"layout shape applied",
         [](Fixture& f) {
             ShapeResult result;
             result.board.outline = {{0, 0}, {100, 0}, {100, 100}};
             return applyShapeResult(f.doc, result);
         },
         true},
        {"start grade without a piece",
         [](Fixture& f) { return startGrade(f.doc, PropertiesState{}, 3, false); }, false},
        {"start grade with a spinner that is not a number",
         [](Fixture& f) { return startGrade(f.doc, f.contextOf(f.first), std::nan(""), false); },
         false},
        {"start grade on a piece",
         [](Fixture& f) { return startGrade(f.doc, f.contextOf(f.first), 3, false); }, true},
        {"end grade without a piece", [](Fixture& f) { return endGrade(f.doc, PropertiesState{}); },
         false},
        {"recalc without a piece",
         [](Fixture& f) { return recalculateElevation(f.doc, PropertiesState{}); }, false},
        {"height that is not a number",
         [](Fixture& f) {
             PropertiesState state = f.contextOf(f.first);
             return enterHeight(f.doc, state, "high");
         },
         false},
        {"height typed",
         [](Fixture& f) {
             PropertiesState state = f.contextOf(f.first);
             return enterHeight(f.doc, state, "12");
         },
         true},
        {"colour beyond the list",
         [](Fixture& f) {
             f.select(f.first);
             PropertiesState state;
             return applyColour(f.doc, state, static_cast<int>(trackColours().size()));
         },
         false},
        {"colour without selected pieces",
         [](Fixture& f) {
             PropertiesState state;
             return applyColour(f.doc, state, 1);
         },
         false},
        {"colour of the selection",
         [](Fixture& f) {
             f.select(f.first);
             PropertiesState state;
             return applyColour(f.doc, state, 1);
         },
         true},
        {"level of a piece that is gone",
         [](Fixture& f) { return changeLevel(f.doc, f.contextOf(999), 1); }, false},
        {"level of a piece", [](Fixture& f) { return changeLevel(f.doc, f.contextOf(f.first), 1); },
         true},
        {"autofill without two pieces selected",
         [](Fixture& f) {
             NoFill chooser;
             return autofillGap(f.doc, f.prompter, chooser);
         },
         false},
        {"tape clicked on its own start",
         [](Fixture& f) {
             return tapeClicks(f, {10, 10}, {10.5, 10});
         },
         false},
        {"tape measured",
         [](Fixture& f) {
             return tapeClicks(f, {10, 10}, {110, 10});
         },
         true},
        {"scenery dropped with a key not in the catalogue",
         [](Fixture& f) {
             SceneryGestures scenery(f.doc);
             scenery.beginPlacing("no-such-item", Point{0, 0});
             return scenery.drop(Point{10, 10});
         },
         false},
        {"scenery dropped",
         [](Fixture& f) {
             SceneryGestures scenery(f.doc);
             scenery.beginPlacing("bush", Point{0, 0});
             return scenery.drop(Point{400, 400});
         },
         true},
        {"block that holds nothing", insertEmptyBlock, false},
    };
}

// The layout as its file holds it, selection aside (a case selects before it runs).
std::string contentText(const Layout& layout) {
    std::string text = layoutFileText(layout, "Check");
    for (std::size_t at = 0; (at = text.find(" sel=\"1\"", at)) != std::string::npos;)
        text.replace(at, 8, " sel=\"0\"");
    return text;
}

TEST(DocumentOperations, RefusalsLeaveNothingAndChangesTakeOneStep) {
    for (const OperationCase& c : operationCases()) {
        SCOPED_TRACE(c.name);
        Fixture f;
        const std::string before = contentText(f.doc.layout);
        const std::size_t editsBefore = f.doc.editsBegun();
        const Change change = c.run(f);
        if (c.takesStep) {
            EXPECT_TRUE(change.any());
            EXPECT_TRUE(change.modified);
            EXPECT_EQ(f.doc.undoDepth(), 1u);
            EXPECT_TRUE(f.doc.modified);
            f.doc.undo();
            EXPECT_EQ(contentText(f.doc.layout), before) << "undo restores it";
        } else {
            EXPECT_FALSE(change.any());
            EXPECT_EQ(f.doc.editsBegun(), editsBefore)
                << "a refusal checks before it opens an edit";
            EXPECT_FALSE(f.doc.canUndo());
            EXPECT_FALSE(f.doc.modified);
            EXPECT_EQ(contentText(f.doc.layout), before);
        }
    }
}

// Each grade button reaches its own rule and hands on what it says.
TEST(DocumentOperations, GradeCommandsCarryTheirStatusLine) {
    Fixture f;
    EXPECT_EQ(startGrade(f.doc, f.contextOf(f.first), 3, true).message, "Elevation: DOWN 3.0 deg");
    EXPECT_EQ(endGrade(f.doc, f.contextOf(f.first)).message, kGradeEndedStatus);
    EXPECT_EQ(recalculateElevation(f.doc, f.contextOf(f.first)).message, "");
}

TEST(DocumentOperations, SelectionCommandsTakeNoStep) {
    Fixture f;
    EXPECT_TRUE(selectAll(f.doc).has(Change::Selection));
    EXPECT_TRUE(f.doc.layout.findPiece(f.second)->selected);
    EXPECT_TRUE(f.doc.layout.findScenery(f.tree)->selected);
    selectPieces(f.doc, {f.first, 999});
    EXPECT_TRUE(f.doc.layout.findPiece(f.first)->selected);
    EXPECT_FALSE(f.doc.layout.findPiece(f.second)->selected);
    EXPECT_FALSE(f.doc.layout.findScenery(f.tree)->selected);
    EXPECT_FALSE(f.doc.canUndo());
    EXPECT_FALSE(f.doc.modified);
}

// Field 0 and field 1 of the status bar after a change.
TEST(StatusTexts, OneProducerForMessageAndCount) {
    const std::string elevation = "[ELEV] 2.5 deg  (right-click piece to stop)";
    const std::string controlsLeft = "\xE2\x96\xB2 Grade 2.0";
    struct Case {
        const char* name;
        bool runUnderWay;
        const char* message; // the change's own line
        bool replaced;
        std::string shown;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing said keeps what is shown", false, "", false, "Exported to: a.pdf",
         "Exported to: a.pdf"},
        {"the change's line replaces it", false, "Grade ended", false, "Ready", "Grade ended"},
        {"an empty field reads Ready", false, "", false, "", "Ready"},
        {"another layout reads Ready", false, "", true, "Exported to: a.pdf", "Ready"},
        {"another layout with its line", false, "Check: 0 errors", true, "x", "Check: 0 errors"},
        {"the grade controls' text goes", false, "", false, controlsLeft, "Ready"},
        {"a run under way shows the elevation", true, "", false, "Ready", elevation},
        {"the elevation wins over a line", true, "Elevation: UP 2.5 deg", false, "", elevation},
        {"the elevation after opening", true, "", true, "", elevation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = emptyLayout();
        addPiece(layout, "24188");
        addPiece(layout, "24188", 300);
        if (c.runUnderWay)
            layout.gradeRuns.push_back(GradeRun{2.5, layout.pieces[0].id, 0});
        Change change = Change::saying(c.message);
        if (c.replaced)
            change |= Change(Change::Replaced);
        const StatusTexts texts = statusTexts(layout, change, c.shown);
        EXPECT_EQ(texts.message, c.expected);
        EXPECT_EQ(texts.pieces, "Pieces: 2");
    }
    EXPECT_EQ(statusTexts(Layout{}).message, "Ready");
    EXPECT_EQ(statusTexts(Layout{}).pieces, "Pieces: 0");
}

TEST(LevelsSession, TheFirstLevelIsMadeInsideTheEditAndOneCloseIsOneStep) {
    Document doc;
    {
        LevelsSession session(doc);
        EXPECT_EQ(doc.layout.levels.size(), 1u) << "the first level is there for the dialog";
        EXPECT_FALSE(session.close().any()) << "looking changes nothing";
    }
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.modified);

    {
        LevelsSession session(doc);
        EXPECT_TRUE(session.setLevelVisible(1, false).has(Change::Levels));
        EXPECT_TRUE(session.close().has(Change::SavedSettings));
    }
    EXPECT_FALSE(doc.canUndo()) << "a level setting alone is saved, not undone";
    EXPECT_TRUE(doc.modified);

    addPiece(doc.layout, "24188", 0, 0, 0, 1);
    {
        LevelsSession session(doc);
        session.addLevel("Upper");
        EXPECT_FALSE(session.removeLevel(999).any());
        EXPECT_TRUE(session.removeLevel(1).has(Change::Pieces));
        EXPECT_TRUE(session.close().has(Change::Levels));
    }
    EXPECT_TRUE(doc.layout.pieces.empty());
    EXPECT_EQ(doc.undoDepth(), 1u) << "the whole visit comes back with one Undo";
    doc.undo();
    EXPECT_EQ(doc.layout.pieces.size(), 1u);
    EXPECT_EQ(doc.layout.levels.size(), 1u);
}

} // namespace
} // namespace plandor
