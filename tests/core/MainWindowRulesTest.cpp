#include "core/app/MainWindowRules.h"
#include "LayoutBuilder.h"
#include "ScriptedPrompter.h"
#include "core/app/Commands.h"
#include "core/canvas/CanvasController.h"
#include "core/document/Document.h"

#include <gtest/gtest.h>

using namespace plandor;

TEST(MainWindowCommandStates, DeleteIsEnabledExactlyWhenTheDeleteKeyDeletes) {
    // Each kind of selected object alone: the menu is enabled exactly when the key's delete
    // removes something.
    const struct {
        const char* name;
        void (*select)(Layout&);
    } cases[] = {
        {"nothing", [](Layout&) {}},
        {"piece", [](Layout& l) { l.pieces.back().selected = true; }},
        {"scenery item", [](Layout& l) { l.scenery.back().selected = true; }},
        {"label", [](Layout& l) { l.labels.back().selected = true; }},
        {"measurement", [](Layout& l) { l.measurements.back().selected = true; }},
        {"shape", [](Layout& l) { l.shapes.back().selected = true; }},
    };
    for (const auto& c : cases) {
        Document doc;
        Layout& layout = doc.layout;
        addPiece(layout, "24188");
        addScenery(layout, "tree");
        addLabel(layout, "Station");
        layout.measurements.push_back(Measurement{});
        layout.shapes.push_back(PolygonShape{});
        c.select(layout);
        const bool menu = commandEnabled(findCommand(CmdDelete)->enable, doc, Clipboard{});
        ScriptedPrompter prompter;
        CanvasController canvas(doc, prompter);
        const bool key = canvas.keyDown(CanvasKey::Delete, MouseInput{}).change.any();
        EXPECT_EQ(menu, key) << c.name;
        EXPECT_EQ(key, std::string(c.name) != "nothing") << c.name;
    }
}
