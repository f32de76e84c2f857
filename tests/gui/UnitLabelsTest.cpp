// Every text that names a unit follows the layout shown now: opening a layout in another unit
// changes the properties panel's height label and the status bar's position at once.
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/model/LayoutFile.h"
#include "gui/ui/PropertiesPanel.h"

#include <wx/stattext.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using UnitLabelsTest = MainFrameFixture;

std::string writeLayout(const std::string& folder, const std::string& name, Units units) {
    Layout layout = emptyLayout();
    layout.units = units;
    addPiece(layout, "24188", 100, 100);
    const std::string path = folder + "/" + name + ".plo";
    EXPECT_EQ(saveLayout(layout, path, name), "");
    return path;
}

TEST_F(UnitLabelsTest, OpeningALayoutInAnotherUnitRenamesTheUnitEverywhere) {
    const std::string cm = writeLayout(root + "/app", "cm layout", Units::Centimetres);
    const std::string mm = writeLayout(root + "/app", "mm layout", Units::Millimetres);
    const auto heightLabel = [&] {
        return frame->properties()->controls().heightLabel->GetLabel().ToStdString(wxConvUTF8);
    };

    frame->openFromCommandLine(cm, loadLayoutCopy(cm));
    settle();
    EXPECT_EQ(status(2), "x: 0.0  y: 0.0 cm");
    layout().pieces[0].selected = true; // a piece of the cm layout is shown with its height
    command(CmdSelectAll);
    settle();
    EXPECT_EQ(heightLabel(), "Height (cm):");

    frame->openFromCommandLine(mm, loadLayoutCopy(mm));
    settle();
    EXPECT_EQ(heightLabel(), "Height (mm):") << "the panel still named the old unit";
    EXPECT_EQ(status(2), "x: 0  y: 0 mm");

    command(CmdUnitsInches, true);
    settle();
    EXPECT_EQ(heightLabel(), "Height (in):");
    EXPECT_EQ(status(2), "x: 0.00  y: 0.00 in");
}

} // namespace
