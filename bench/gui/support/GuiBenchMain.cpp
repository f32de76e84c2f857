// The entry of the drawing benchmarks: starts the toolkit without a window of its own, runs
// the registered benchmarks and shuts the toolkit down.
#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

namespace {

class BenchApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// A toolkit assertion would open a dialog that nobody answers; report it instead.
void printAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                 const wxString& msg) {
    std::fprintf(stderr, "wx assertion %s:%d in %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    wxSetAssertHandler(printAssert);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
