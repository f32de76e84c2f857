#pragma once
// Recovery copies: while the open layout has unsaved changes, a copy of it is kept in the
// user's state folder, so that a crash, a killed process or a power cut loses at most a few
// seconds of work, and the next start offers the copy back. This file decides when a copy is
// written, what it is called, what the record beside it says, which copies are offered at
// start and what each answer does. The window only runs a timer and calls in here.
//
// Each process keeps one copy, "<pid>-<start>.plo", with its record "<pid>-<start>.rec"
// beside it. The copy is written first and the record after it, each replacing its file
// atomically, so a record always stands beside a whole copy.

#include "core/base/Process.h"
#include "core/base/Prompter.h"
#include "core/document/Document.h"
#include "core/model/LayoutFile.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace plandor {

using RecoveryClock = std::chrono::steady_clock;

struct RecoveryTiming {
    // A copy is written once editing has paused this long...
    std::chrono::milliseconds quiet{5000};
    // ...and at least this often while editing goes on without a pause.
    std::chrono::milliseconds longest{60000};
};
// The timing, with the quiet delay taken from the text of PLANDOR_RECOVERY_QUIET_MS when it
// holds a positive number of milliseconds (tests shorten the wait with it).
RecoveryTiming recoveryTiming(const char* quietMillisecondsText);

// What the record beside a copy says.
struct RecoveryRecord {
    std::string layoutPath;   // where Save writes the layout; empty for one never saved
    std::string layoutName;   // its display name
    std::int64_t savedAt = 0; // when the copy was written, seconds since 1970 (UTC)
    ProcessIdentity process;  // the process that wrote it
};
std::string recoveryRecordText(const RecoveryRecord& record);
// Nothing when the text is not a whole record.
std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text);

struct RecoveryFiles {
    std::string copy;   // the layout text
    std::string record; // the RecoveryRecord
};
// The files of the copy that `process` keeps in `folder`.
RecoveryFiles recoveryFilesFor(const std::string& folder, const ProcessIdentity& process);

// Writes the copy and then its record (creating the folder). Empty on success, else why not.
std::string writeRecoveryCopy(const RecoveryFiles& files, std::string_view layoutText,
                              const RecoveryRecord& record);
void removeRecoveryCopy(const RecoveryFiles& files);

// When a copy is due: a plain state machine over times the caller passes in.
class RecoverySchedule {
  public:
    using Time = RecoveryClock::time_point;

    explicit RecoverySchedule(RecoveryTiming timing = {}) : timing_(timing) {}

    // The document changed: `edited` when its content did, `modified` its flag afterwards.
    // Returns true when a copy on disk is to be removed, because nothing is unsaved any more.
    bool changed(Time now, bool edited, bool modified);
    // True when changes wait for a copy and editing has paused long enough, or has gone on
    // too long without one.
    bool due(Time now) const;
    // True while changes wait for a copy.
    bool waiting() const { return waitingSince_.has_value(); }
    // A copy of everything up to now is being written.
    void copyStarted();
    void copyRemoved();
    bool copyKept() const { return kept_; }

  private:
    RecoveryTiming timing_;
    std::optional<Time> waitingSince_; // the first change not yet in a copy
    Time lastChange_{};
    bool kept_ = false; // a copy is (or is being) written for this window
};

// Keeps the recovery copy of one window's document. The copy is written on a thread of its
// own from a snapshot of the layout, one write at a time, so a large layout never holds up
// the window; the window's thread only copies the layout. With an empty folder it does
// nothing (tests that do not ask for copies).
class RecoveryKeeper {
  public:
    using Time = RecoveryClock::time_point;

    RecoveryKeeper(std::string folder, ProcessIdentity self, RecoveryTiming timing = {});
    // The copy goes with the window, the clean way out (unless keepForNextStart was called).
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    bool enabled() const { return !folder_.empty(); }
    const RecoveryTiming& timing() const { return timing_; }
    const RecoveryFiles& files() const { return files_; }

    // After every change the window showed.
    void noteChange(const Document& doc, const Change& change, Time now);
    // On the window's timer: starts writing a copy when one is due and the last write has
    // ended. `wallSeconds` is the time written into the record.
    void tick(const Document& doc, Time now, std::int64_t wallSeconds);
    // Starts writing a copy now (waiting for a write still running).
    void writeNow(const Document& doc, std::int64_t wallSeconds);
    // True while changes wait for a copy: the window keeps its timer running.
    bool waiting() const { return schedule_.waiting(); }
    // Removes the copy (waiting for a write still running).
    void discard();
    // The window goes without being asked (the session ends): unsaved changes are written
    // now and the copy stays for the next start instead of going with the window.
    void keepForNextStart(const Document& doc, std::int64_t wallSeconds);
    void waitForWriter();
    // Why the last write failed; empty when it succeeded.
    std::string lastError() const;

  private:
    void startWrite(const Document& doc, std::int64_t wallSeconds);

    std::string folder_;
    ProcessIdentity self_;
    RecoveryTiming timing_;
    RecoveryFiles files_;
    RecoverySchedule schedule_;
    std::thread writer_;
    std::atomic<bool> writing_{false};
    bool keepOnExit_ = false;
    mutable std::mutex errorMutex_;
    std::string error_;
};

// A copy left behind by a process that no longer runs.
struct RecoveryCandidate {
    RecoveryFiles files;
    std::optional<RecoveryRecord> record; // none when missing or unreadable
};
// The copies in `folder` whose processes no longer run (as `running` tells), newest first;
// copies without a readable record come last. Left-over partial files of such processes
// are removed on the way.
std::vector<RecoveryCandidate>
recoveriesToOffer(const std::string& folder,
                  const std::function<bool(const ProcessIdentity&)>& running);

// "Plandor did not close normally. Restore the unsaved changes to "<name>" from <time>?"
std::string restoreQuestion(const RecoveryRecord& record, const std::string& shownTime);
// Local date and time of a record, as the question shows it.
std::string recoveryTimeText(std::int64_t secondsSince1970);

// Puts a restored copy in place of the open layout: named and pathed as the original and
// marked modified, so Save writes it where the original lives.
Change restoreRecoveryCopy(Document& doc, const RecoveryRecord& record, Layout&& layout);

// Moves a copy that cannot be read into the "damaged" sub-folder, where the newest few are
// kept; returns the folder it went to.
std::string setAsideDamagedCopy(const RecoveryFiles& files);

// Offers each copy in `folder` left by a process that no longer runs, newest first: Yes
// restores it into `doc` (later copies wait for the next start, as one window holds one
// layout), No deletes it, Later keeps it. A copy that cannot be read is reported and set
// aside. `keepRestored` runs right after a restore, before the copy it came from is removed,
// so the window can write its own copy first. Returns what the restore changed (nothing when
// none was restored).
Change offerRecoveries(const std::string& folder, Document& doc, Prompter& prompter,
                       const std::function<bool(const ProcessIdentity&)>& running,
                       const std::function<void()>& keepRestored = {});

} // namespace plandor
