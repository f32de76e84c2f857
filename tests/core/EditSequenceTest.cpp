// A seeded random sequence of edits, driven through the functions the canvas, the panels and
// the dialogs call: track, blocks, levels, scenery, labels, shapes, measurements and the
// baseboard. After every step the layout must hold together (joints mirrored, ids unique and
// issued, no joint to a missing piece or to itself, tunnels whole), and undo then redo must
// give back exactly the text a save would write (with the measurements, which it leaves out).
#include "CanvasHarness.h"
#include "LayoutFaults.h"

#include "core/app/PropertiesModel.h"
#include "core/canvas/CanvasController.h"
#include "core/canvas/SelectionBounds.h"
#include "core/document/Document.h"
#include "core/editing/Annotations.h"
#include "core/editing/Autofill.h"
#include "core/editing/Clipboard.h"
#include "core/editing/Delete.h"
#include "core/editing/InsertBlock.h"
#include "core/editing/LayoutShape.h"
#include "core/editing/Levels.h"
#include "core/editing/MoveSelection.h"
#include "core/editing/Placing.h"
#include "core/editing/Rotate.h"
#include "core/editing/SceneryPlacing.h"
#include "core/editing/SceneryResize.h"
#include "core/editing/Selection.h"
#include "core/elevation/Grades.h"
#include "core/elevation/Tunnels.h"
#include "core/model/BlockFile.h"
#include "core/model/HelixPlacement.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// What a save writes, and the measurements, which the file leaves out but undo brings back.
std::string stateText(const Layout& layout) {
    std::ostringstream out;
    out << layoutFileText(layout, "sequence");
    for (const Measurement& m : layout.measurements)
        out << "measurement " << m.id << ' ' << m.x1 << ' ' << m.y1 << ' ' << m.x2 << ' ' << m.y2
            << ' ' << m.dx << ' ' << m.dy << ' ' << m.selected << '\n';
    return out.str();
}

struct Session {
    std::mt19937 rng;
    ScriptedPrompter prompter;
    FirstFill chooser;
    Document doc;
    Layout& layout = doc.layout;
    Clipboard clipboard;
    PropertiesState properties;
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
    const SceneryItem* anyScenery() {
        return layout.scenery.empty() ? nullptr
                                      : &layout.scenery[below(int(layout.scenery.size()))];
    }
    int32_t anyLevel() { return layout.levels[below(int(layout.levels.size()))].id; }
};

// The selection saved as a block and read back, sometimes damaged as a hand-edited file may
// be (a piece joined to itself, a piece far out), then inserted.
void insertBlock(Session& s) {
    std::string name;
    std::vector<PlacedPiece> pieces;
    std::vector<SceneryItem> scenery;
    readBlockText(blockFileText(s.layout, "Block"), name, pieces, scenery);
    if (!pieces.empty() && s.rng() % 4 == 0) {
        PlacedPiece& p = pieces[s.below(int(pieces.size()))];
        p.joints.resize(std::max<std::size_t>(p.joints.size(), 2));
        p.joints[0] = Joint{p.id, 1};
        p.joints[1] = Joint{p.id, 0};
    }
    if (!pieces.empty() && s.rng() % 8 == 0)
        pieces[s.below(int(pieces.size()))].x = s.rng() % 2 ? 9e8 : -9e8;
    addBlockContent(s.layout, std::move(pieces), std::move(scenery));
}

void shapeBaseboard(Session& s) {
    if (s.rng() % 4 == 0) {
        const Point a = s.somewhere();
        setFreeFormBaseboard(s.layout, {a, {a.x + 900, a.y}, {a.x + 400, a.y + 700}});
        return;
    }
    ShapeInput input;
    input.shape = s.below(kShapeCount);
    for (int i = 0; i < 4; ++i)
        input.values.push_back(1 + s.below(5000));
    input.customText = s.rng() % 3 ? "0,0\n1000,0\n1000,800\n" : "0,0\nten,5\n";
    applyShapeResult(s.layout, shapeResult(s.layout, input));
}

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
    {"insert block", insertBlock},
    {"add level",
     [](Session& s) {
         addLevel(s.layout, proposedLevelName(s.layout));
         setLevelVisible(s.layout, s.anyLevel(), s.rng() % 4 != 0);
     }},
    {"active level", [](Session& s) { setActiveLevel(s.layout, s.anyLevel()); }},
    {"level height",
     [](Session& s) {
         const int32_t id = s.anyLevel();
         LevelProperties props = levelProperties(*s.layout.findLevel(id));
         props.height = s.within(0, 200);
         applyLevelProperties(s.layout, id, props);
     }},
    {"remove level with contents", [](Session& s) { removeLevel(s.layout, s.anyLevel()); }},
    {"place scenery",
     [](Session& s) {
         const auto& defs = SceneryCatalog::instance().defs();
         const Point at = s.somewhere();
         dropScenery(s.layout, defs[s.below(int(defs.size()))].id,
                     Pose{at.x, at.y, 15.0 * s.below(24)});
     }},
    {"resize scenery by a handle",
     [](Session& s) {
         const SceneryItem* item = s.anyScenery();
         const SceneryDef* def = item ? SceneryCatalog::instance().find(item->item) : nullptr;
         if (!def)
             return;
         const HandleResize resize = beginHandleResize(*item, *def, s.below(8));
         const Point to{item->x + s.within(-300, 300), item->y + s.within(-300, 300)};
         resizeToHandle(s.layout, resize, *def, to);
     }},
    {"resize scenery in the dialog",
     [](Session& s) {
         const SceneryItem* item = s.anyScenery();
         const SceneryDef* def = item ? SceneryCatalog::instance().find(item->item) : nullptr;
         if (!def)
             return;
         SceneryResizeForm form = openSceneryResize(*item, *def);
         setWidthScale(form, s.within(0.05, 12));
         applySceneryResize(s.layout, form, static_cast<SceneryResizeChoice>(s.below(3)));
     }},
    {"label",
     [](Session& s) {
         const Point at = s.somewhere();
         setLabelDropPoint(s.properties, at.x, at.y);
         addLabel(s.doc, s.properties, s.rng() % 5 ? "Yard & <\"sidings\">" : "   ");
     },
     true},
    {"polygon",
     [](Session& s) {
         const Point a = s.somewhere();
         addPolygonShape(s.layout, {a, {a.x + 300, a.y}, {a.x, a.y + 200}});
     }},
    {"measure",
     [](Session& s) {
         const Point a = s.somewhere();
         addMeasurement(s.layout, a, Point{a.x + s.within(-2, 500), a.y});
     }},
    {"baseboard", shapeBaseboard},
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
                const std::string before = stateText(s.layout);
                Edit edit = s.doc.begin();
                op.run(s);
                if (stateText(s.layout) != before)
                    edit.commit(Change(Change::kPiecesEdited | Change::Levels | Change::Baseboard));
            }
            const std::string context = "seed " + std::to_string(seed) + " step " +
                                        std::to_string(step) + " after " + op.name;
            ASSERT_EQ(layoutFaults(s.layout), "") << context;
            // Saved and opened again, the layout writes the same file (but for the selection:
            // opening selects a partly selected helix whole).
            Layout unselected = s.layout;
            clearSelection(unselected);
            const std::string written = layoutFileText(unselected, "sequence");
            Layout reopened;
            std::string name;
            readLayoutText(reopened, written, name);
            ASSERT_EQ(layoutFileText(reopened, name), written) << context << ", reopened";
            if (!s.doc.canUndo())
                continue;
            const std::string saved = stateText(s.layout);
            s.doc.undo();
            ASSERT_EQ(layoutFaults(s.layout), "") << context << ", undone";
            s.doc.redo();
            ASSERT_EQ(stateText(s.layout), saved) << context;
        }
    }
}

} // namespace
