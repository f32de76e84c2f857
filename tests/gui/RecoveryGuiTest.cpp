// The main window keeping a recovery copy while it has unsaved changes, and offering a copy
// left by a window that did not close normally.
#include "GuiTestSupport.h"
#include "core/app/Commands.h"
#include "core/app/Recovery.h"
#include "core/model/LayoutFile.h"

#include <wx/msgdlg.h>

#include <cstdlib>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

namespace {

class RecoveryGuiTest : public MainFrameFixture {
  protected:
    void SetUp() override {
        keepRecoveryCopies = true;
        // A short quiet delay, so the copy follows within the test's wait.
        setenv("PLANDOR_RECOVERY_QUIET_MS", "50", 1);
        MainFrameFixture::SetUp();
        unsetenv("PLANDOR_RECOVERY_QUIET_MS");
    }
    void placePiece(double x) {
        MainFrame* f = frame;
        f->applyChange(f->document().apply([&] {
            addPiece(f->document().layout, "24188", x, 0);
            return Change(Change::kPiecesEdited);
        }));
    }
};

TEST_F(RecoveryGuiTest, AnEditIsCopiedAfterAPauseAndSavingRemovesTheCopy) {
    ASSERT_TRUE(frame->recovery().enabled());
    const RecoveryFiles files = frame->recovery().files();
    placePiece(0);
    ASSERT_TRUE(waitFor([&] { return fs::exists(files.record); })) << "no copy written";
    frame->recovery().waitForWriter();
    EXPECT_EQ(loadLayoutCopy(files.copy).layout.pieces.size(), 1u);
    EXPECT_TRUE(frame->document().modified) << "a copy marks nothing saved";
    EXPECT_TRUE(fs::is_empty(root + "/app")) << "the layout folder changes only on Save";

    wxTEST_DIALOG(send(frame, wxEVT_MENU, CmdSave), answerText("Yard"));
    EXPECT_FALSE(fs::exists(files.copy));
    EXPECT_FALSE(fs::exists(files.record));
}

TEST_F(RecoveryGuiTest, TheCopyOfAnEndedWindowIsOfferedAndYesOpensItUnsaved) {
    Layout edited = emptyLayout();
    addPiece(edited, "24188", 0, 0);
    addPiece(edited, "24188", 188.3, 0);
    const std::string original = root + "/app/Yard.plo";
    ASSERT_EQ(saveLayout(emptyLayout(), original, "Yard"), "");
    // A process id that is not running: this test's own with another start time.
    const ProcessIdentity ended{currentProcess().pid, "1"};
    const RecoveryFiles left = recoveryFilesFor(root + "/recovery", ended);
    ASSERT_EQ(writeRecoveryCopy(left, layoutFileText(edited, "Yard"),
                                RecoveryRecord{original, "Yard", 1765080000, ended}),
              "");

    wxTEST_DIALOG(frame->offerRecovery(), wxExpectModal<wxMessageDialog>(wxID_YES));

    EXPECT_EQ(frame->document().layout.pieces.size(), 2u);
    EXPECT_EQ(frame->document().path, original);
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Yard *");
    EXPECT_FALSE(fs::exists(left.copy));
    EXPECT_TRUE(fs::exists(frame->recovery().files().copy)) << "the window keeps its own copy";

    send(frame, wxEVT_MENU, CmdSave); // no question: Save writes where the original lives
    std::string saved;
    ASSERT_EQ(readWholeFile(original, saved), FileRead::Ok);
    EXPECT_EQ(saved, layoutFileText(edited, "Yard"));
    EXPECT_FALSE(fs::exists(frame->recovery().files().copy));
}

TEST_F(RecoveryGuiTest, ClosingWithoutSavingRemovesTheCopy) {
    const RecoveryFiles files = frame->recovery().files();
    placePiece(0);
    ASSERT_TRUE(waitFor([&] { return fs::exists(files.record); })) << "no copy written";
    wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_NO));
    settle();
    ASSERT_FALSE(frame);
    EXPECT_FALSE(fs::exists(files.copy));
    EXPECT_FALSE(fs::exists(files.record));
}

TEST_F(RecoveryGuiTest, AForcedCloseKeepsTheUnsavedChangesForTheNextStart) {
    const RecoveryFiles files = frame->recovery().files();
    placePiece(0);
    frame->Close(true); // as when the session ends: nothing may be asked
    settle();
    ASSERT_FALSE(frame);
    EXPECT_EQ(loadLayoutCopy(files.copy).layout.pieces.size(), 1u);
    EXPECT_TRUE(fs::exists(files.record));
}

TEST_F(RecoveryGuiTest, NoQuestionWithoutCopies) {
    frame->offerRecovery(); // an unexpected dialog fails the test
    EXPECT_FALSE(frame->document().modified);
}

} // namespace
