#include <gtest/gtest.h>

#include <wx/frame.h>

TEST(GuiHarness, FrameCanBeBuilt) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "probe");
    frame->Show();
    EXPECT_TRUE(frame->IsShown());
    frame->Destroy();
}
