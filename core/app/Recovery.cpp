#include "core/app/Recovery.h"
#include "core/base/AtomicFile.h"
#include "core/base/FilePath.h"
#include "core/base/Folders.h"
#include "core/base/Translate.h"
#include "core/base/Units.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace plandor {

namespace fs = std::filesystem;

namespace {

const char* const kRecordHeader = "plandor recovery 1";
const char* const kCopyExtension = ".plo";
const char* const kRecordExtension = ".rec";
const char* const kDamagedFolder = "damaged";
// Damaged copies (and their records) kept in the "damaged" folder; older ones are removed.
constexpr std::size_t kDamagedFilesKept = 20;

// Record values are single lines: backslashes and line breaks are escaped.
std::string escapeLine(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescapeLine(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

std::optional<long long> wholeNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

// "<pid>-<start>", the name of a process's files without extension.
std::string fileStem(const ProcessIdentity& process) {
    return std::to_string(process.pid) + "-" + (process.started.empty() ? "0" : process.started);
}

// The process named by a file stem; nothing when the stem is not one.
std::optional<ProcessIdentity> processOfStem(const std::string& stem) {
    const std::size_t dash = stem.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const std::optional<long long> pid = wholeNumber(stem.substr(0, dash));
    const std::string started = stem.substr(dash + 1);
    if (!pid || *pid <= 0 || !wholeNumber(started))
        return std::nullopt;
    return ProcessIdentity{static_cast<long>(*pid), started == "0" ? std::string() : started};
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void removeQuietly(const std::string& path) {
    std::error_code ec;
    fs::remove(fsPath(path), ec);
}

// Keeps the newest files of the damaged folder.
void pruneDamaged(const std::string& folder) {
    std::error_code ec;
    std::vector<std::pair<fs::file_time_type, fs::path>> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(fsPath(folder), ec))
        if (entry.is_regular_file(ec))
            files.emplace_back(entry.last_write_time(ec), entry.path());
    if (files.size() <= kDamagedFilesKept)
        return;
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = kDamagedFilesKept; i < files.size(); ++i)
        fs::remove(files[i].second, ec);
}

std::string shownName(const RecoveryRecord& record) {
    if (!record.layoutName.empty())
        return "\"" + record.layoutName + "\"";
    if (!record.layoutPath.empty())
        return "\"" + layoutNameOf(record.layoutPath) + "\"";
    return tr("a layout never saved");
}

} // namespace

RecoveryTiming recoveryTiming(const char* quietMillisecondsText) {
    RecoveryTiming timing;
    if (quietMillisecondsText) {
        const std::optional<long long> ms = wholeNumber(quietMillisecondsText);
        if (ms && *ms > 0)
            timing.quiet = std::chrono::milliseconds(*ms);
    }
    timing.longest = std::max(timing.longest, timing.quiet);
    return timing;
}

std::string recoveryRecordText(const RecoveryRecord& record) {
    std::string text = std::string(kRecordHeader) + "\n";
    text += "path=" + escapeLine(record.layoutPath) + "\n";
    text += "name=" + escapeLine(record.layoutName) + "\n";
    text += "saved=" + std::to_string(record.savedAt) + "\n";
    text += "pid=" + std::to_string(record.process.pid) + "\n";
    text += "started=" + escapeLine(record.process.started) + "\n";
    return text;
}

std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text) {
    RecoveryRecord record;
    bool header = false, path = false, name = false, saved = false, pid = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!header) {
            if (line != kRecordHeader)
                return std::nullopt;
            header = true;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string key(line.substr(0, eq));
        const std::string value = unescapeLine(line.substr(eq + 1));
        if (key == "path") {
            record.layoutPath = value;
            path = true;
        } else if (key == "name") {
            record.layoutName = value;
            name = true;
        } else if (key == "saved") {
            const std::optional<long long> v = wholeNumber(value);
            saved = v.has_value();
            record.savedAt = v.value_or(0);
        } else if (key == "pid") {
            const std::optional<long long> v = wholeNumber(value);
            pid = v && *v > 0;
            record.process.pid = static_cast<long>(v.value_or(0));
        } else if (key == "started") {
            record.process.started = value;
        }
    }
    if (!(header && path && name && saved && pid))
        return std::nullopt;
    return record;
}

RecoveryFiles recoveryFilesFor(const std::string& folder, const ProcessIdentity& process) {
    const std::string stem = joinPath(folder, fileStem(process));
    return RecoveryFiles{stem + kCopyExtension, stem + kRecordExtension};
}

std::string writeRecoveryCopy(const RecoveryFiles& files, std::string_view layoutText,
                              const RecoveryRecord& record) {
    ensureFolder(utf8Path(fsPath(files.copy).parent_path()));
    std::string error = writeFileReplacing(files.copy, layoutText);
    if (error.empty())
        error = writeFileReplacing(files.record, recoveryRecordText(record));
    return error;
}

void removeRecoveryCopy(const RecoveryFiles& files) {
    // The record first: a copy without its record is never offered as whole.
    removeQuietly(files.record);
    removeQuietly(files.copy);
}

// ---- schedule ------------------------------------------------------------------------

bool RecoverySchedule::changed(Time now, bool edited, bool modified) {
    if (!modified) {
        waitingSince_.reset();
        return kept_;
    }
    if (edited) {
        lastChange_ = now;
        if (!waitingSince_)
            waitingSince_ = now;
    }
    return false;
}

bool RecoverySchedule::due(Time now) const {
    if (!waitingSince_)
        return false;
    return now - lastChange_ >= timing_.quiet || now - *waitingSince_ >= timing_.longest;
}

void RecoverySchedule::copyStarted() {
    waitingSince_.reset();
    kept_ = true;
}

void RecoverySchedule::copyRemoved() {
    kept_ = false;
}

// ---- keeper --------------------------------------------------------------------------

RecoveryKeeper::RecoveryKeeper(std::string folder, ProcessIdentity self, RecoveryTiming timing)
    : folder_(std::move(folder)), self_(std::move(self)), timing_(timing), schedule_(timing) {
    if (enabled())
        files_ = recoveryFilesFor(folder_, self_);
}

RecoveryKeeper::~RecoveryKeeper() {
    if (keepOnExit_)
        waitForWriter();
    else
        discard();
}

void RecoveryKeeper::keepForNextStart(const Document& doc, std::int64_t wallSeconds) {
    if (!enabled() || !doc.modified)
        return;
    writeNow(doc, wallSeconds);
    waitForWriter();
    keepOnExit_ = true;
}

void RecoveryKeeper::noteChange(const Document& doc, const Change& change, Time now) {
    if (!enabled() || !change.any())
        return;
    if (schedule_.changed(now, change.modified, doc.modified))
        discard();
}

void RecoveryKeeper::tick(const Document& doc, Time now, std::int64_t wallSeconds) {
    // One write at a time: a due copy waits for the next tick while one is being written.
    if (!enabled() || writing_ || !schedule_.due(now))
        return;
    startWrite(doc, wallSeconds);
}

void RecoveryKeeper::writeNow(const Document& doc, std::int64_t wallSeconds) {
    if (!enabled() || !doc.modified)
        return;
    startWrite(doc, wallSeconds);
}

void RecoveryKeeper::startWrite(const Document& doc, std::int64_t wallSeconds) {
    waitForWriter();
    RecoveryRecord record{doc.path, doc.name, wallSeconds, self_};
    // Set before the thread starts, which clears it when it ends.
    writing_ = true;
    // The thread gets its own copy of the layout: the window goes on editing the original.
    writer_ = std::thread([this, layout = doc.layout, record = std::move(record)] {
        const std::string error =
            writeRecoveryCopy(files_, layoutFileText(layout, record.layoutName), record);
        {
            std::lock_guard<std::mutex> lock(errorMutex_);
            error_ = error;
        }
        writing_ = false;
    });
    schedule_.copyStarted();
}

void RecoveryKeeper::waitForWriter() {
    if (writer_.joinable())
        writer_.join();
    writing_ = false;
}

void RecoveryKeeper::discard() {
    waitForWriter();
    if (!enabled() || !schedule_.copyKept())
        return;
    removeRecoveryCopy(files_);
    schedule_.copyRemoved();
}

std::string RecoveryKeeper::lastError() const {
    std::lock_guard<std::mutex> lock(errorMutex_);
    return error_;
}

// ---- offering at start ---------------------------------------------------------------

std::vector<RecoveryCandidate>
recoveriesToOffer(const std::string& folder,
                  const std::function<bool(const ProcessIdentity&)>& running) {
    std::vector<RecoveryCandidate> found;
    std::error_code ec;
    if (!isFolder(folder))
        return found;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(fsPath(folder), ec))
        if (entry.is_regular_file(ec))
            names.push_back(utf8Path(entry.path().filename()));
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        // A file a write left half-done (see AtomicFile): ".<stem>.<ext>.<suffix>.tmp".
        if (name.size() > 1 && name[0] == '.' && endsWith(name, ".tmp")) {
            const std::optional<ProcessIdentity> owner =
                processOfStem(name.substr(1, name.find('.', 1) - 1));
            if (owner && !running(*owner))
                removeQuietly(joinPath(folder, name));
            continue;
        }
        if (!endsWith(name, kCopyExtension) && !endsWith(name, kRecordExtension))
            continue;
        const bool isCopy = endsWith(name, kCopyExtension);
        const std::string stem =
            name.substr(0, name.size() - (isCopy ? std::string(kCopyExtension).size()
                                                 : std::string(kRecordExtension).size()));
        const std::optional<ProcessIdentity> owner = processOfStem(stem);
        if (!owner || running(*owner))
            continue;
        RecoveryFiles files{joinPath(folder, stem + kCopyExtension),
                            joinPath(folder, stem + kRecordExtension)};
        // Each pair once: from its copy, or from a record whose copy is missing.
        if (!isCopy && fileExists(files.copy))
            continue;
        RecoveryCandidate candidate{files, std::nullopt};
        std::string text;
        if (readWholeFile(files.record, text) == FileRead::Ok)
            candidate.record = parseRecoveryRecord(text);
        found.push_back(std::move(candidate));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RecoveryCandidate& a, const RecoveryCandidate& b) {
                         if (a.record.has_value() != b.record.has_value())
                             return a.record.has_value();
                         return a.record && a.record->savedAt > b.record->savedAt;
                     });
    return found;
}

std::string recoveryTimeText(std::int64_t secondsSince1970) {
    const std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return tr("an unknown time");
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string restoreQuestion(const RecoveryRecord& record, const std::string& shownTime) {
    return trFormat("Plandor did not close normally. Restore the unsaved changes to %s from %s?",
                    shownName(record).c_str(), shownTime.c_str());
}

Change restoreRecoveryCopy(Document& doc, const RecoveryRecord& record, Layout&& layout) {
    layout.ensureDefaultLevel();
    Change change = doc.replace(std::move(layout), record.layoutPath, record.layoutName);
    // Not saved anywhere yet: the title shows it, and closing asks.
    doc.modified = true;
    change.modified = true;
    return change;
}

std::string setAsideDamagedCopy(const RecoveryFiles& files) {
    const std::string aside = joinPath(utf8Path(fsPath(files.copy).parent_path()), kDamagedFolder);
    ensureFolder(aside);
    std::error_code ec;
    for (const std::string& path : {files.copy, files.record})
        if (fileExists(path))
            fs::rename(fsPath(path), fsPath(joinPath(aside, utf8Path(fsPath(path).filename()))),
                       ec);
    pruneDamaged(aside);
    return aside;
}

Change offerRecoveries(const std::string& folder, Document& doc, Prompter& prompter,
                       const std::function<bool(const ProcessIdentity&)>& running,
                       const std::function<void()>& keepRestored) {
    for (const RecoveryCandidate& candidate : recoveriesToOffer(folder, running)) {
        LoadedLayout loaded;
        if (!candidate.record)
            loaded.error = tr("Its record is missing or damaged.");
        else if (!fileExists(candidate.files.copy))
            loaded.error = tr("The copy is missing.");
        else
            loaded = loadLayoutCopy(candidate.files.copy);
        if (!loaded.error.empty()) {
            const std::string aside = setAsideDamagedCopy(candidate.files);
            prompter.message(tr("Restore Unsaved Changes"),
                             tr("A recovery copy could not be read:") + "\n" + loaded.error +
                                 "\n\n" + tr("It has been kept in:") + "\n" + aside,
                             PromptIcon::Error);
            continue;
        }
        const RecoveryRecord& record = *candidate.record;
        const PromptAnswer answer = prompter.askYesNoLater(
            tr("Restore Unsaved Changes"),
            restoreQuestion(record, recoveryTimeText(record.savedAt)), PromptIcon::Question);
        if (answer == PromptAnswer::No) {
            removeRecoveryCopy(candidate.files);
        } else if (answer == PromptAnswer::Yes) {
            Change change = restoreRecoveryCopy(doc, record, std::move(loaded.layout));
            if (keepRestored)
                keepRestored();
            removeRecoveryCopy(candidate.files);
            return change;
        }
    }
    return Change{};
}

} // namespace plandor
