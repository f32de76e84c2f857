// Test entry for the GUI suites: starts wx once for the whole run, fails (instead of hanging)
// on any modal dialog nobody expected, and turns wx assertions into test failures.
#include "GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class TestApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

class FailOnModal : public wxModalDialogHook {
  protected:
    int Enter(wxDialog* dialog) override {
        if (plandor::guitest::RealModalDialogs::allowed())
            return wxID_NONE;
        ADD_FAILURE() << "Unexpected modal dialog: " << dialog->GetTitle().ToStdString();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void failOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.ToStdString().c_str(), line)
        << "wx assertion in " << func.ToStdString() << ": " << cond.ToStdString() << " "
        << msg.ToStdString();
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// GTK, GLib and D-Bus keep allocations alive for the whole process, even when gtest only lists
// tests; leak reports from them would fail test discovery and drown leaks of our own.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgio-2.0.so\n"
           "leak:libdbus-1.so\n"
           "leak:libgtk-3.so\n"
           "leak:libgdk-3.so\n"
           "leak:libfontconfig.so\n"
           "leak:libpango\n"
           "leak:libcairo.so\n"
           "leak:libatk\n";
}
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery must work without a display. InitGoogleTest has already taken the
    // "--gtest_list_tests" argument out of argv, so ask gtest for it.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    // Windows built over the user's folders keep their recovery copies in a folder of the run.
    std::string state = (std::filesystem::temp_directory_path() / "plandor-state-XXXXXX").string();
    if (mkdtemp(state.data()))
        setenv("XDG_STATE_HOME", state.c_str(), 1);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    // Tests read and write pictures as PNG files.
    wxImage::AddHandler(new wxPNGHandler);
    wxSetAssertHandler(failOnAssert);
    FailOnModal hook;
    hook.Register();

    const int rc = RUN_ALL_TESTS();
    hook.Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::error_code ec;
    std::filesystem::remove_all(state, ec);
    return rc;
}
