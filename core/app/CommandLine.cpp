#include "core/app/CommandLine.h"

#include "core/app/PartsList.h"
#include "core/app/TrackLengths.h"
#include "core/model/LayoutFile.h"

#include <cctype>

namespace plandor {

namespace {

constexpr int kMaxScaleDenominator = 1000;

CommandLine invalid(std::string why) {
    CommandLine line;
    line.action = CommandLineAction::Invalid;
    line.error = std::move(why);
    return line;
}

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// "1:N" with N a whole number in 1..1000; 0 when the text is anything else.
int scaleDenominatorOf(const std::string& text) {
    if (text.size() < 3 || text.compare(0, 2, "1:") != 0 || text.size() > 6)
        return 0;
    int n = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n >= 1 && n <= kMaxScaleDenominator ? n : 0;
}

bool endsWithCsv(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".csv";
}

} // namespace

std::string commandLineUsage() {
    return "usage: plandor\n"
           "       plandor --export-plan OUT.pdf|OUT.svg|OUT.png [--scale 1:N] [--paper A4|A3|A2] "
           "LAYOUT.plo\n"
           "       plandor --export-parts OUT.csv [--export-tracks TRACKS.csv] LAYOUT.plo\n"
           "       plandor --check|--tracks LAYOUT.plo\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty())
        return line;
    const std::string& verb = args[0];
    if (args.size() == 1 && !isOption(verb)) {
        line.layoutPath = verb;
        return line;
    }
    if (verb == "--export-plan")
        line.action = CommandLineAction::ExportPlan;
    else if (verb == "--export-parts")
        line.action = CommandLineAction::ExportParts;
    else
        return invalid("unknown argument \"" + verb + "\"");
    if (args.size() < 2 || isOption(args[1]))
        return invalid(verb + " needs the file to write");
    line.output = args[1];

    const bool plan = line.action == CommandLineAction::ExportPlan;
    if (plan) {
        const std::optional<ExportFormat> format = exportFormatOf(line.output);
        if (!format)
            return invalid("cannot tell the format of \"" + line.output +
                           "\": use .pdf, .svg or .png");
        line.plan.format = *format;
    } else if (!endsWithCsv(line.output)) {
        return invalid("the parts list is written as .csv, not \"" + line.output + "\"");
    }

    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (plan && (arg == "--scale" || arg == "--paper")) {
            if (i + 1 >= args.size())
                return invalid(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--scale") {
                line.plan.scaleDenominator = scaleDenominatorOf(value);
                if (line.plan.scaleDenominator == 0)
                    return invalid("bad scale \"" + value + "\": write 1:N with N from 1 to 1000");
            } else {
                const std::optional<PaperSize> paper = paperSizeOf(value);
                if (!paper)
                    return invalid("bad paper \"" + value + "\": use A4, A3 or A2");
                line.plan.paper = *paper;
            }
        } else if (!plan && arg == "--export-tracks") {
            if (i + 1 >= args.size() || !endsWithCsv(args[i + 1]))
                return invalid("--export-tracks needs the .csv file to write");
            line.tracksOutput = args[++i];
        } else if (isOption(arg)) {
            return invalid("unknown option \"" + arg + "\"");
        } else if (!line.layoutPath.empty()) {
            return invalid("more than one layout given: \"" + line.layoutPath + "\" and \"" + arg +
                           "\"");
        } else {
            line.layoutPath = arg;
        }
    }
    if (line.layoutPath.empty())
        return invalid("no layout file given");
    return line;
}

CommandResult readLayoutForCommand(const std::string& path, Layout& layout) {
    std::string name;
    std::string error = loadLayout(layout, path, name);
    if (error.empty())
        return {};
    return {kExitUnreadable, std::move(error)};
}

CommandResult exportPartsFile(const std::string& layoutPath, const std::string& output,
                              const ShopMap& shop, const std::string& tracksOutput) {
    Layout layout;
    CommandResult read = readLayoutForCommand(layoutPath, layout);
    if (read.exitCode != kExitDone)
        return read;
    std::string error = writePartsList(layout, shop, output);
    if (error.empty() && !tracksOutput.empty())
        error = writeTrackLengths(layout, tracksOutput);
    if (error.empty())
        return {};
    return {kExitWriteFailed, std::move(error)};
}

} // namespace plandor
