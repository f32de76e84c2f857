// Recovery copies: when they are written and removed, what is offered at the next start and
// what each answer does. Times are passed in, so no test waits for the real delays.
#include "LayoutBuilder.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

#include "core/app/Recovery.h"
#include "core/base/Folders.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace plandor;
namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

const RecoveryClock::time_point t0{};

RecoveryClock::time_point at(long long ms) {
    return t0 + milliseconds(ms);
}

// ---- schedule -------------------------------------------------------------------------

struct Step {
    long long at;  // ms
    bool edited;   // the content changed
    bool modified; // the document's flag afterwards
};

struct ScheduleCase {
    const char* name;
    std::vector<Step> steps;
    long long notDueAt; // -1: no check
    long long dueAt;    // -1: never due within a minute and a half after the last step
};

class RecoveryScheduleTest : public ::testing::TestWithParam<ScheduleCase> {};

TEST_P(RecoveryScheduleTest, CopyIsDueAfterQuietOrLongestWait) {
    const ScheduleCase& c = GetParam();
    RecoverySchedule schedule(RecoveryTiming{milliseconds(5000), milliseconds(60000)});
    for (const Step& s : c.steps)
        schedule.changed(at(s.at), s.edited, s.modified);
    if (c.notDueAt >= 0) {
        EXPECT_FALSE(schedule.due(at(c.notDueAt)));
    }
    if (c.dueAt >= 0) {
        EXPECT_TRUE(schedule.due(at(c.dueAt)));
    } else {
        EXPECT_FALSE(schedule.due(at(c.steps.back().at + 90000)));
    }
}

std::vector<Step> editEverySecond(int count) {
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({i * 1000LL, true, true});
    return steps;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoveryScheduleTest,
    ::testing::Values(
        ScheduleCase{"QuietAfterOneEdit", {{0, true, true}}, 4999, 5000},
        ScheduleCase{
            "EachEditRestartsTheQuietWait", {{0, true, true}, {3000, true, true}}, 7999, 8000},
        ScheduleCase{"ContinuousEditingCopiesEveryMinute", editEverySecond(70), 59999, 60000},
        ScheduleCase{"SelectionOnlyWaitsForNothing", {{0, false, false}}, -1, -1},
        ScheduleCase{
            "ViewChangeDoesNotRestartTheWait", {{0, true, true}, {4000, false, true}}, 4999, 5000},
        ScheduleCase{"SavedBeforeTheWaitEnded", {{0, true, true}, {1000, false, false}}, -1, -1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RecoverySchedule, SayToRemoveTheCopyOnlyOnceOneWasWritten) {
    RecoverySchedule schedule;
    schedule.changed(at(0), true, true);
    EXPECT_FALSE(schedule.changed(at(10), false, false)) << "nothing written, nothing to remove";
    schedule.changed(at(20), true, true);
    schedule.copyStarted();
    EXPECT_FALSE(schedule.waiting());
    EXPECT_TRUE(schedule.changed(at(30), false, false));
}

TEST(RecoveryTiming, QuietDelayComesFromTheEnvironmentTextWhenItIsAPositiveNumber) {
    EXPECT_EQ(recoveryTiming(nullptr).quiet, milliseconds(5000));
    EXPECT_EQ(recoveryTiming("").quiet, milliseconds(5000));
    EXPECT_EQ(recoveryTiming("abc").quiet, milliseconds(5000));
    EXPECT_EQ(recoveryTiming("0").quiet, milliseconds(5000));
    EXPECT_EQ(recoveryTiming("-5").quiet, milliseconds(5000));
    EXPECT_EQ(recoveryTiming("250").quiet, milliseconds(250));
    EXPECT_EQ(recoveryTiming("250").longest, milliseconds(60000));
}

// ---- record and folder ----------------------------------------------------------------

TEST(RecoveryRecord, RoundTripsAwkwardPathsAndRefusesPartialRecords) {
    const RecoveryRecord record{"/home/a b/odd\nname\\x.plo", "Yard \"West\"", 1765080000,
                                ProcessIdentity{4242, "98765"}};
    const std::optional<RecoveryRecord> back = parseRecoveryRecord(recoveryRecordText(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->layoutPath, record.layoutPath);
    EXPECT_EQ(back->layoutName, record.layoutName);
    EXPECT_EQ(back->savedAt, record.savedAt);
    EXPECT_EQ(back->process.pid, 4242);
    EXPECT_EQ(back->process.started, "98765");

    const std::string whole = recoveryRecordText(record);
    EXPECT_FALSE(parseRecoveryRecord(""));
    EXPECT_FALSE(parseRecoveryRecord("<layout>\n"));
    EXPECT_FALSE(parseRecoveryRecord(whole.substr(0, whole.find("saved="))));
    EXPECT_FALSE(parseRecoveryRecord(whole.substr(0, whole.find("pid=") + 4)));
}

TEST(RecoveryFolder, FollowsTheStateFolderRules) {
    EXPECT_EQ(recoveryFolderFor("/state", "/home/u"), "/state/plandor/recovery");
    EXPECT_EQ(recoveryFolderFor("", "/home/u"), "/home/u/.local/state/plandor/recovery");
    EXPECT_EQ(recoveryFolderFor("relative", "/home/u"), "/home/u/.local/state/plandor/recovery");
}

TEST(ProcessCheck, TellsARunningProcessFromAnEndedOneAndFromAReusedId) {
    const ProcessIdentity self = currentProcess();
    EXPECT_TRUE(processRunning(self));
    EXPECT_FALSE(self.started.empty());
    EXPECT_FALSE(processRunning(ProcessIdentity{self.pid, self.started + "1"}))
        << "another process under the same id";

#ifdef _WIN32
    wchar_t commandLine[] = L"cmd.exe /c exit";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                 nullptr, nullptr, &startup, &child));
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    EXPECT_FALSE(processRunning(ProcessIdentity{static_cast<long>(child.dwProcessId), ""}));
#else
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(processRunning(ProcessIdentity{child, ""}));
#endif
}

// ---- keeper ---------------------------------------------------------------------------

struct KeeperFixture : ::testing::Test {
    std::string root = tempFolder();
    std::string folder = root + "/state/recovery";
    std::string layouts = root + "/layouts";
    ProcessIdentity self{777, "12345"};
    Document doc;

    void SetUp() override {
        fs::create_directories(layouts);
        doc.layout = emptyLayout();
    }
    void TearDown() override { fs::remove_all(root); }

    // One piece placed as the canvas places it: an undoable edit reported to the keeper.
    Change placePiece(RecoveryKeeper& keeper, long long ms, double x = 0) {
        const Change change = doc.apply([&] {
            addPiece(doc.layout, "24188", x);
            return Change(Change::kPiecesEdited);
        });
        keeper.noteChange(doc, change, at(ms));
        return change;
    }
};

TEST_F(KeeperFixture, WritesTheCopyAfterTheQuietDelayWithoutMarkingAnythingSaved) {
    const std::string original = layoutPath(layouts, "Yard");
    ASSERT_TRUE(saveLayout(doc.layout, original, "Yard").empty());
    doc.saved(original, "Yard");
    const std::string before = readFile(original);

    RecoveryKeeper keeper(folder, self, RecoveryTiming{seconds(5), seconds(60)});
    placePiece(keeper, 0);
    keeper.tick(doc, at(4999), 1000);
    keeper.waitForWriter();
    EXPECT_FALSE(fs::exists(keeper.files().copy)) << "written before the quiet delay";

    keeper.tick(doc, at(5000), 1765080000);
    keeper.waitForWriter();
    EXPECT_EQ(keeper.lastError(), "");
    EXPECT_EQ(readFile(keeper.files().copy), layoutFileText(doc.layout, "Yard"));
    const std::optional<RecoveryRecord> record =
        parseRecoveryRecord(readFile(keeper.files().record));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->layoutPath, original);
    EXPECT_EQ(record->layoutName, "Yard");
    EXPECT_EQ(record->savedAt, 1765080000);
    EXPECT_EQ(record->process.pid, 777);
    EXPECT_TRUE(doc.modified);
    EXPECT_FALSE(keeper.waiting());
    EXPECT_EQ(readFile(original), before) << "the layout folder changes only on Save";
}

TEST_F(KeeperFixture, TheCopyGoesWhenNothingIsUnsavedAnyMore) {
    struct Case {
        const char* name;
        std::function<Change(Document&)> clean;
    };
    const std::vector<Case> cases{
        {"save", [&](Document& d) { return d.saved(layoutPath(layouts, "A"), "A"); }},
        {"new, close or open", [](Document& d) { return d.replace(emptyLayout(), {}, {}); }},
    };
    for (const Case& c : cases) {
        RecoveryKeeper keeper(folder, self, RecoveryTiming{seconds(5), seconds(60)});
        placePiece(keeper, 0);
        keeper.tick(doc, at(6000), 1);
        keeper.waitForWriter();
        ASSERT_TRUE(fs::exists(keeper.files().copy)) << c.name;
        // An undo keeps the document modified: the copy stays and is brought up to date.
        keeper.noteChange(doc, doc.undo(), at(7000));
        EXPECT_TRUE(fs::exists(keeper.files().copy)) << c.name;
        EXPECT_TRUE(keeper.waiting()) << c.name;

        keeper.noteChange(doc, c.clean(doc), at(8000));
        EXPECT_FALSE(fs::exists(keeper.files().copy)) << c.name;
        EXPECT_FALSE(fs::exists(keeper.files().record)) << c.name;
        EXPECT_FALSE(keeper.waiting()) << c.name;
    }
}

TEST_F(KeeperFixture, TheWindowClosingRemovesItsCopy) {
    RecoveryFiles files;
    {
        RecoveryKeeper keeper(folder, self, RecoveryTiming{seconds(5), seconds(60)});
        placePiece(keeper, 0);
        keeper.tick(doc, at(5000), 1);
        files = keeper.files();
    }
    EXPECT_FALSE(fs::exists(files.copy));
    EXPECT_FALSE(fs::exists(files.record));
}

TEST_F(KeeperFixture, AnEndingSessionKeepsTheUnsavedChangesForTheNextStart) {
    RecoveryFiles files;
    {
        RecoveryKeeper keeper(folder, self, RecoveryTiming{seconds(5), seconds(60)});
        placePiece(keeper, 0);
        keeper.keepForNextStart(doc, 1); // before the quiet delay has passed
        files = keeper.files();
    }
    EXPECT_EQ(readFile(files.copy), layoutFileText(doc.layout, doc.name));
    EXPECT_TRUE(fs::exists(files.record));
}

TEST_F(KeeperFixture, AWriteRunningWhenTheNextIsDueIsNotOverlapped) {
    RecoveryKeeper keeper(folder, self, RecoveryTiming{milliseconds(10), seconds(60)});
    for (int i = 0; i < 20; ++i) {
        placePiece(keeper, i * 100, i * 200.0);
        keeper.tick(doc, at(i * 100 + 50), i);
    }
    while (keeper.waiting())
        keeper.tick(doc, at(10000), 99);
    keeper.waitForWriter();
    EXPECT_EQ(readFile(keeper.files().copy), layoutFileText(doc.layout, doc.name));
}

TEST_F(KeeperFixture, WithoutAFolderNothingIsWritten) {
    RecoveryKeeper keeper("", self);
    placePiece(keeper, 0);
    keeper.tick(doc, at(100000), 1);
    EXPECT_FALSE(keeper.waiting());
    EXPECT_FALSE(fs::exists(root + "/state"));
}

// ---- offering at start ----------------------------------------------------------------

struct OfferFixture : KeeperFixture {
    std::set<long> live;
    std::function<bool(const ProcessIdentity&)> running = [this](const ProcessIdentity& p) {
        return live.count(p.pid) > 0;
    };

    // The copy a process left: its layout with `pieces` pieces, saved at `savedAt`.
    RecoveryFiles leaveCopy(long pid, int pieces, std::int64_t savedAt, const std::string& name,
                            const std::string& path) {
        Layout layout = emptyLayout();
        for (int i = 0; i < pieces; ++i)
            addPiece(layout, "24188", i * 188.3);
        const ProcessIdentity process{pid, "100"};
        const RecoveryFiles files = recoveryFilesFor(folder, process);
        EXPECT_EQ(writeRecoveryCopy(files, layoutFileText(layout, name),
                                    RecoveryRecord{path, name, savedAt, process}),
                  "");
        return files;
    }
};

TEST_F(OfferFixture, OffersOnlyCopiesOfEndedProcessesNewestFirst) {
    leaveCopy(11, 1, 1000, "Old", "");
    leaveCopy(12, 2, 3000, "Newest", "");
    leaveCopy(13, 3, 2000, "Middle", "");
    leaveCopy(14, 4, 4000, "Live", "");
    live = {14};
    // A file a write of an ended process left half-done, and one of a live process.
    writeFile(folder + "/.11-100.plo.abc123.tmp", "<layout");
    writeFile(folder + "/.14-100.plo.def456.tmp", "<layout");

    const std::vector<RecoveryCandidate> offered = recoveriesToOffer(folder, running);
    std::vector<std::string> names;
    for (const RecoveryCandidate& c : offered)
        names.push_back(c.record ? c.record->layoutName : "?");
    EXPECT_EQ(names, (std::vector<std::string>{"Newest", "Middle", "Old"}));
    EXPECT_FALSE(fs::exists(folder + "/.11-100.plo.abc123.tmp"));
    EXPECT_TRUE(fs::exists(folder + "/.14-100.plo.def456.tmp"));
}

TEST_F(OfferFixture, YesRestoresTheCopyUnderTheOriginalsNameAndPathStillUnsaved) {
    const std::string original = layoutPath(layouts, "Yard");
    ASSERT_TRUE(saveLayout(emptyLayout(), original, "Yard").empty());
    const std::string before = readFile(original);
    const RecoveryFiles files = leaveCopy(21, 3, 1000, "Yard", original);
    const std::string copy = readFile(files.copy);

    ScriptedPrompter prompter;
    prompter.answers = {PromptAnswer::Yes};
    bool keptFirst = false;
    const Change change = offerRecoveries(folder, doc, prompter, running,
                                          [&] { keptFirst = fs::exists(files.copy); });

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, ScriptedPrompter::Kind::YesNoLater);
    EXPECT_EQ(prompter.messages[0].text,
              "Plandor did not close normally. Restore the unsaved changes to \"Yard\" from " +
                  recoveryTimeText(1000) + "?");
    EXPECT_TRUE(change.replaced());
    EXPECT_EQ(doc.layout.pieces.size(), 3u);
    EXPECT_EQ(doc.path, original);
    EXPECT_EQ(doc.name, "Yard");
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(keptFirst) << "the old copy stays until the window has written its own";
    EXPECT_FALSE(fs::exists(files.copy));
    EXPECT_FALSE(fs::exists(files.record));
    EXPECT_EQ(readFile(original), before) << "the original changes only on Save";
    EXPECT_EQ(layoutFileText(doc.layout, doc.name), copy) << "saving writes what the copy held";
}

TEST_F(OfferFixture, NoDeletesLaterKeepsAndAYesLeavesTheRestForTheNextStart) {
    const RecoveryFiles newest = leaveCopy(31, 1, 3000, "C", "");
    const RecoveryFiles middle = leaveCopy(32, 1, 2000, "B", "");
    const RecoveryFiles oldest = leaveCopy(33, 1, 1000, "A", "");

    ScriptedPrompter prompter;
    prompter.answers = {PromptAnswer::No, PromptAnswer::Later, PromptAnswer::Yes};
    prompter.otherwise = [] { return PromptAnswer::Yes; };
    EXPECT_TRUE(offerRecoveries(folder, doc, prompter, running).replaced());
    EXPECT_FALSE(fs::exists(newest.copy)) << "No";
    EXPECT_TRUE(fs::exists(middle.copy)) << "Later";
    EXPECT_FALSE(fs::exists(oldest.copy)) << "Yes";
    EXPECT_EQ(doc.name, "A");

    // Later: asked again at the next start; an unanswered question means Later too.
    ScriptedPrompter next;
    next.answers = {PromptAnswer::Later};
    Document other;
    EXPECT_FALSE(offerRecoveries(folder, other, next, running).any());
    EXPECT_EQ(next.messages.size(), 1u);
    EXPECT_TRUE(fs::exists(middle.copy));
    EXPECT_FALSE(other.modified);
}

TEST_F(OfferFixture, ADamagedCopyIsReportedAndKeptAside) {
    struct Case {
        const char* name;
        std::function<void(const RecoveryFiles&)> damage;
    };
    const std::vector<Case> cases{
        {"copy is not a layout", [](const RecoveryFiles& f) { writeFile(f.copy, "garbage"); }},
        {"copy cut off",
         [](const RecoveryFiles& f) {
             const std::string text = readFile(f.copy);
             writeFile(f.copy, text.substr(0, text.size() / 2));
         }},
        {"record unreadable", [](const RecoveryFiles& f) { writeFile(f.record, "???"); }},
        {"record missing", [](const RecoveryFiles& f) { fs::remove(f.record); }},
        {"copy missing", [](const RecoveryFiles& f) { fs::remove(f.copy); }},
    };
    long pid = 40;
    for (const Case& c : cases) {
        const RecoveryFiles files = leaveCopy(++pid, 2, 1000, "Yard", "");
        c.damage(files);
        ScriptedPrompter prompter;
        EXPECT_FALSE(offerRecoveries(folder, doc, prompter, running).any()) << c.name;
        ASSERT_EQ(prompter.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages[0].kind, ScriptedPrompter::Kind::Message) << c.name;
        EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error) << c.name;
        EXPECT_NE(prompter.messages[0].text.find(folder + "/damaged"), std::string::npos) << c.name;
        EXPECT_FALSE(fs::exists(files.copy) || fs::exists(files.record)) << c.name;
        const std::string aside = folder + "/damaged/" + fs::path(files.copy).filename().string();
        const std::string asideRecord =
            folder + "/damaged/" + fs::path(files.record).filename().string();
        EXPECT_TRUE(fs::exists(aside) || fs::exists(asideRecord)) << c.name;
        EXPECT_TRUE(recoveriesToOffer(folder, running).empty()) << c.name << ": offered again";
    }
}

TEST_F(OfferFixture, TheDamagedFolderKeepsOnlyTheNewestFiles) {
    for (long pid = 100; pid < 140; ++pid) {
        const RecoveryFiles files = leaveCopy(pid, 1, 1, "X", "");
        writeFile(files.copy, "garbage");
        setAsideDamagedCopy(files);
    }
    std::size_t kept = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder + "/damaged"))
        ++kept;
    EXPECT_EQ(kept, 20u);
}

TEST(RecoveryQuestion, NamesTheLayoutByNameThenFileThenAsNeverSaved) {
    EXPECT_EQ(
        restoreQuestion({"/l/Yard.plo", "West Yard", 0, {}}, "T"),
        "Plandor did not close normally. Restore the unsaved changes to \"West Yard\" from T?");
    EXPECT_EQ(restoreQuestion({"/l/Yard.plo", "", 0, {}}, "T"),
              "Plandor did not close normally. Restore the unsaved changes to \"Yard\" from T?");
    EXPECT_EQ(restoreQuestion({"", "", 0, {}}, "T"),
              "Plandor did not close normally. Restore the unsaved changes to a layout never saved "
              "from T?");
}

} // namespace
