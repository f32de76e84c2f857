#include "app/CheckCommand.h"

#include "app/CommandLine.h"
#include "app/LayoutCheck.h"
#include "app/TrackLengths.h"
#include "base/Units.h"
#include "model/LayoutFile.h"

#include <algorithm>
#include <iterator>

namespace plandor {

namespace {

constexpr const char* kCheckOption = "--check";

} // namespace

std::optional<int> runCheckCommand(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err) {
    auto option = std::find(args.begin(), args.end(), kCheckOption);
    if (option == args.end())
        return std::nullopt;
    if (std::next(option) == args.end()) {
        err << "Usage: plandor --check LAYOUT.plo\n";
        return kCheckUnreadable;
    }
    const std::string& path = *std::next(option);
    Layout layout;
    const CommandResult read = readLayoutForCommand(path, layout);
    if (read.exitCode != kExitDone) {
        err << read.message << '\n';
        return kCheckUnreadable;
    }
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
    auto option = std::find(args.begin(), args.end(), "--tracks");
    if (option == args.end())
        return std::nullopt;
    if (std::next(option) == args.end()) {
        err << "Usage: plandor --tracks LAYOUT.plo\n";
        return kCheckUnreadable;
    }
    const std::string& path = *std::next(option);
    Layout layout;
    const CommandResult read = readLayoutForCommand(path, layout);
    if (read.exitCode != kExitDone) {
        err << read.message << '\n';
        return kCheckUnreadable;
    }
    const double car = defaultCarLength(layout);
    for (const TrackLength& t : trackLengths(layout))
        out << trackKindName(t.kind) << '\t' << trackLengthNumber(t.length, layout.units) << ' '
            << unitShortName(layout.units) << '\t' << carsHeld(t.length, car) << '\t'
            << trackPiecesText(layout, t) << '\n';
    return kCheckClean;
}

} // namespace plandor
