// Test entry for the GUI suites: starts wx once for the whole run, fails (instead of hanging)
// on any modal dialog nobody expected, and turns wx assertions into test failures.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include <cstring>
#include <string>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

class FailOnModal : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
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

bool onlyListingTests(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery must work without a display.
    if (onlyListingTests(argc, argv))
        return RUN_ALL_TESTS();

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    wxSetAssertHandler(failOnAssert);
    FailOnModal hook;
    hook.Register();

    const int rc = RUN_ALL_TESTS();
    hook.Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
