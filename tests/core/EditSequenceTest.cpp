// A seeded random sequence of edits, driven through the functions the canvas and the panels
// call. After every step the layout must hold together (joints mirrored, ids unique and
// issued, no joint to a missing piece or to itself), and undo then redo must give back exactly
// the text a save would write.
#include "CanvasHarness.h"
#include "LayoutFaults.h"

#include "canvas/CanvasController.h"
#include "canvas/SelectionBounds.h"
#include "document/Document.h"
#include "editing/Autofill.h"
#include "editing/Clipboard.h"
#include "editing/Delete.h"
#include "editing/MoveSelection.h"
#include "editing/Placing.h"
#include "editing/Rotate.h"
#include "editing/Selection.h"
#include "elevation/Grades.h"
#include "elevation/Tunnels.h"
#include "model/HelixPlacement.h"
#include "model/LayoutFile.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>
#include <sstream>

using namespace plandor;

namespace {

class FirstFill : public FillChooser {
  public:
    int chooseFill(const FillDialog&) override { return 0; }
};

const char* const kParts[] = {"24188", "24172", "24094", "24130", "24230", "24611",
                              "24612", "24740", "74618", "24922", "24977", "24064"};

struct Session {
    std::mt19937 rng;
    ScriptedPrompter prompter;
    FirstFill chooser;
    Document doc;
    Layout& layout = doc.layout;
    Clipboard clipboard;
    bool gradedMoveAccepted = false;

    // Every question is answered at random.
    explicit Session(unsigned seed) : rng(seed) {
        layout.ensureDefaultLevel();
        prompter.otherwise = [this] { return rng() % 2 ? PromptAnswer::Yes : PromptAnswer::No; };
    }

    int below(int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; }
    double within(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    }
    const PlacedPiece* anyPiece() {
        return layout.pieces.empty() ? nullptr : &layout.pieces[below(int(layout.pieces.size()))];
    }
    // A free connector of some piece, where a new or moved piece would snap.
    std::optional<Pose> freeEnd() {
        for (int tries = 0; tries < 8; ++tries) {
            const PlacedPiece* p = anyPiece();
            const PieceDef* def = p ? TrackCatalog::instance().find(p->part) : nullptr;
            if (!def || def->connectors.empty())
                continue;
            const int c = below(int(def->connectors.size()));
            if (p->jointAt(c).isFree())
                return worldConnector(Pose{p->x, p->y, p->heading}, *def, c);
        }
        return std::nullopt;
    }
    Point somewhere() {
        if (const auto end = freeEnd(); end && rng() % 4)
            return Point{end->x + within(-10, 10), end->y + within(-10, 10)};
        return Point{within(0, 4000), within(0, 3000)};
    }
};

// Each operation does what one user command does; they return nothing, the checks follow.
// A drag on the canvas with Undo pressed twice while the button is still held, as a user
// may: the undo ends the gesture, and the rest of the drag must not touch what undo replaced.
void dragWithUndo(Session& s) {
    const PlacedPiece* p = s.anyPiece();
    if (!p)
        return;
    CanvasController canvas(s.doc, s.prompter);
    canvas.view().setView(1.0, 0, 0);
    const auto mouse = [](Point at, bool down) {
        return plandor::testing::mouseAt(static_cast<int>(at.x), static_cast<int>(at.y), down);
    };
    canvas.leftDown(mouse(Point{p->x, p->y}, true));
    canvas.motion(mouse(s.somewhere(), true));
    s.doc.undo();
    s.doc.undo();
    canvas.motion(mouse(s.somewhere(), true));
    canvas.leftUp(mouse(s.somewhere(), false));
}

struct Operation {
    const char* name;
    void (*run)(Session&);
    bool keepsHistory = false; // works the undo history itself, so it is no edit of its own
};

const Operation kOperations[] = {
    {"place",
     [](Session& s) {
         PlacingState placing;
         beginPlacing(placing, kParts[s.below(std::size(kParts))], s.somewhere());
         rotateGhost(placing, s.layout, 30.0 * s.below(12));
         updateGhost(placing, s.layout, s.somewhere());
         dropPiece(s.layout, placing, s.prompter);
     }},
    {"clone and extend",
     [](Session& s) {
         if (const PlacedPiece* p = s.anyPiece())
             cloneAndExtend(s.layout, p->id);
     }},
    {"click",
     [](Session& s) {
         if (const PlacedPiece* p = s.anyPiece())
             clickPiece(s.layout, p->id, s.rng() % 3 == 0, s.rng() % 4 == 0);
         else
             clickEmptyCanvas(s.layout, s.clipboard);
     }},
    {"select chain",
     [](Session& s) {
         const PlacedPiece* a = s.anyPiece();
         const PlacedPiece* b = s.anyPiece();
         if (a && b) {
             clearSelection(s.layout);
             selectChain(s.layout, a->id, b->id);
         }
     }},
    {"move",
     [](Session& s) {
         const PlacedPiece* p = s.anyPiece();
         if (!p)
             return;
         const Point press{p->x, p->y};
         SelectionMove move;
         if (!move.begin(s.layout, s.prompter, s.gradedMoveAccepted, press))
             return;
         move.motion(s.layout, s.somewhere());
         move.motion(s.layout, s.somewhere());
         move.release(s.layout);
     }},
    {"wheel rotate",
     [](Session& s) {
         const Bounds box =
             selectionBounds(s.layout, TrackCatalog::instance(), SceneryCatalog::instance());
         if (!box.empty())
             rotateSelection(s.layout, box.centre(),
                             selectionWheelStep(s.rng() % 2 ? 1 : -1, s.rng() % 2));
     }},
    {"command rotate",
     [](Session& s) {
         if (piecesOrScenerySelected(s.layout))
             rotateSelectionByCommand(s.layout, s.prompter);
     }},
    {"free rotate",
     [](Session& s) {
         FreeRotation rotation;
         if (rotation.begin(s.layout, s.prompter, s.somewhere())) {
             rotation.motion(s.layout, s.somewhere());
             rotation.release();
         }
     }},
    {"delete", [](Session& s) { deleteSelection(s.layout, s.prompter); }},
    {"copy", [](Session& s) { copySelection(s.layout, s.clipboard); }},
    {"paste", [](Session& s) { pasteAt(s.layout, s.clipboard, s.somewhere()); }},
    {"undo", [](Session& s) { s.doc.undo(); }, true},
    {"redo", [](Session& s) { s.doc.redo(); }, true},
    {"drag with undo", dragWithUndo, true},
    {"start grade",
     [](Session& s) {
         if (const PlacedPiece* p = s.anyPiece())
             startGrade(s.layout, p->id, s.within(0, 4), s.rng() % 2);
     }},
    {"end grade",
     [](Session& s) {
         if (const PlacedPiece* p = s.anyPiece())
             endGrade(s.layout, p->id);
     }},
    {"recalculate",
     [](Session& s) {
         if (const PlacedPiece* p = s.anyPiece())
             recalculateElevation(s.layout, p->id);
     }},
    {"tunnel",
     [](Session& s) {
         // Usually over a fresh chain, sometimes over whatever is selected (to remove one).
         const PlacedPiece* a = s.anyPiece();
         const PlacedPiece* b = s.anyPiece();
         if (a && b && s.rng() % 4) {
             const int32_t idA = a->id, idB = b->id;
             clearSelection(s.layout);
             selectChain(s.layout, idA, idB);
         }
         runTunnelCommand(s.layout);
     }},
    {"helix",
     [](Session& s) {
         const Point at = s.somewhere();
         placeHelix(s.layout, at.x, at.y, 90.0 * s.below(4), "");
     }},
    {"autofill",
     [](Session& s) {
         const PlacedPiece* a = s.anyPiece();
         const PlacedPiece* b = s.anyPiece();
         if (!a || !b || a == b)
             return;
         const int32_t idA = a->id, idB = b->id;
         clearSelection(s.layout);
         s.layout.findPiece(idA)->selected = s.layout.findPiece(idB)->selected = true;
         autofillGap(s.layout, s.prompter, s.chooser);
     }},
};

TEST(EditSequence, RandomEditsKeepTheLayoutWholeAndUndoRedoExact) {
    for (unsigned seed : {1u, 2u, 3u}) {
        Session s(seed);
        for (int step = 0; step < 1000; ++step) {
            // A crowded layout starts over, as File > New would, so the run stays quick.
            if (s.layout.pieces.size() > 120) {
                s.doc.replace(Layout{}, "", "");
                s.layout.ensureDefaultLevel();
            }
            const Operation& op = kOperations[s.below(std::size(kOperations))];
            // Each operation is one edit, kept as an undo step when the saved text changed.
            if (op.keepsHistory) {
                op.run(s);
            } else {
                const std::string before = layoutFileText(s.layout, "sequence");
                Edit edit = s.doc.begin();
                op.run(s);
                if (layoutFileText(s.layout, "sequence") != before)
                    edit.commit(Change(Change::kPiecesEdited | Change::Levels));
            }
            const std::string context = "seed " + std::to_string(seed) + " step " +
                                        std::to_string(step) + " after " + op.name;
            ASSERT_EQ(layoutFaults(s.layout), "") << context;
            if (!s.doc.canUndo())
                continue;
            const std::string saved = layoutFileText(s.layout, "sequence");
            s.doc.undo();
            ASSERT_EQ(layoutFaults(s.layout), "") << context << ", undone";
            s.doc.redo();
            ASSERT_EQ(layoutFileText(s.layout, "sequence"), saved) << context;
        }
    }
}

} // namespace
