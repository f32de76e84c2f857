#include "core/app/CheckCommand.h"

#include "core/app/CommandLine.h"
#include "core/app/LayoutCheck.h"
#include "core/app/TrackLengths.h"
#include "core/base/Units.h"
#include "core/model/LayoutFile.h"

#include <algorithm>
#include <iterator>

namespace plandor {

namespace {

constexpr const char* kCheckOption = "--check";
constexpr const char* kTracksOption = "--tracks";

// Reads the layout named after `option`; on failure says why (or how to call) on `err`.
bool readNamedLayout(const std::vector<std::string>& args, const std::string& option,
                     Layout& layout, std::ostream& err) {
    const auto at = std::find(args.begin(), args.end(), option);
    if (std::next(at) == args.end()) {
        err << "Usage: plandor " << option << " LAYOUT.plo\n";
        return false;
    }
    const CommandResult read = readLayoutForCommand(*std::next(at), layout);
    if (read.exitCode != kExitDone)
        err << read.message << '\n';
    return read.exitCode == kExitDone;
}

} // namespace

std::optional<int> runCheckCommand(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err) {
    if (std::find(args.begin(), args.end(), kCheckOption) == args.end())
        return std::nullopt;
    Layout layout;
    if (!readNamedLayout(args, kCheckOption, layout, err))
        return kCheckUnreadable;
    bool errors = false;
    for (const CheckFinding& f : checkLayout(layout, checkSettingsOf(layout))) {
        errors = errors || f.severity == CheckSeverity::Error;
        out << checkSeverityName(f.severity) << '\t' << checkKindName(f.kind) << '\t'
            << formatText("%.1f\t%.1f", f.at.x, f.at.y) << '\t' << f.text << '\n';
    }
    return errors ? kCheckFoundErrors : kCheckClean;
}

std::optional<int> runTracksCommand(const std::vector<std::string>& args, std::ostream& out,
                                    std::ostream& err) {
    if (std::find(args.begin(), args.end(), kTracksOption) == args.end())
        return std::nullopt;
    Layout layout;
    if (!readNamedLayout(args, kTracksOption, layout, err))
        return kCheckUnreadable;
    const double car = defaultCarLength(layout);
    for (const TrackLength& t : trackLengths(layout))
        out << trackKindName(t.kind) << '\t' << trackLengthNumber(t.length, layout.units) << ' '
            << unitShortName(layout.units) << '\t' << carsHeld(t.length, car) << '\t'
            << trackPiecesText(layout, t) << '\n';
    return kCheckClean;
}

} // namespace plandor
