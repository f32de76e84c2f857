// A layout named at start opens after the window has shown: while the file is still being read
// the window is empty, names the file in its status bar and takes no input; then the plan
// fills in and the window is usable.
#include "gui/app/PlandorApp.h"

#include "GuiTestSupport.h"
#include "core/model/LayoutFile.h"

#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <atomic>
#include <future>
#include <memory>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using OpenWhileReading = MainFrameFixture;

MainWindow windowOf(MainFrame* frame) {
    return MainWindow{frame,
                      &frame->document().layout,
                      [frame](const std::string& path, LoadedLayout loaded) {
                          frame->openFromCommandLine(path, std::move(loaded));
                      },
                      {}};
}

LoadedLayout twoPieces() {
    LoadedLayout loaded;
    addPiece(loaded.layout, "24188", 0, 0);
    addPiece(loaded.layout, "24188", 188.3, 0);
    loaded.name = "yard";
    return loaded;
}

} // namespace

TEST_F(OpenWhileReading, TheWindowWaitsNamingTheFileThenFillsIn) {
    std::promise<LoadedLayout> reader;
    auto percent = std::make_shared<std::atomic<int>>(-1);
    openWhenRead(windowOf(frame), root + "/app/big yard.plo", reader.get_future(), percent);
    settle();
    EXPECT_TRUE(stillReading());
    EXPECT_TRUE(layout().pieces.empty());
    EXPECT_EQ(status(0), "Reading big yard.plo...");
    EXPECT_FALSE(frame->IsEnabled()) << "no edit can land on the layout about to be replaced";
    // The reader tells how far it got; the status bar follows.
    percent->store(42);
    EXPECT_TRUE(waitFor([&] { return status(0) == "Reading big yard.plo... 42%"; })) << status(0);
    percent->store(100);
    EXPECT_TRUE(waitFor([&] { return status(0) == "Reading big yard.plo... 100%"; })) << status(0);

    reader.set_value(twoPieces());
    ASSERT_TRUE(waitFor([&] { return !stillReading(); }));
    EXPECT_EQ(layout().pieces.size(), 2u);
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_NE(status(0), "Reading big yard.plo...");
}

TEST_F(OpenWhileReading, AFileReadBeforeTheWindowShowsOpensJustAfter) {
    std::promise<LoadedLayout> reader;
    reader.set_value(twoPieces());
    openWhenRead(windowOf(frame), root + "/app/yard.plo", reader.get_future());
    EXPECT_TRUE(layout().pieces.empty()) << "the window is shown before the plan is opened";
    EXPECT_TRUE(frame->IsEnabled()) << "nothing to wait for";
    ASSERT_TRUE(waitFor([&] { return !stillReading(); }));
    EXPECT_EQ(layout().pieces.size(), 2u);
}

TEST_F(OpenWhileReading, AFileThatCannotBeReadLeavesTheWindowReady) {
    std::promise<LoadedLayout> reader;
    openWhenRead(windowOf(frame), root + "/app/gone.plo", reader.get_future());
    settle();
    LoadedLayout failed;
    failed.error = "Cannot open file: " + root + "/app/gone.plo";
    reader.set_value(std::move(failed));
    bool opened = false;
    wxTEST_DIALOG(opened = waitFor([&] { return !stillReading(); }),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(layout().pieces.empty());
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_EQ(status(0), "Ready");
}
