#include "core/app/PartsList.h"

#include "core/app/Tally.h"
#include "core/model/LayoutFile.h"

namespace plandor {

namespace {

constexpr const char* kLineEnd = "\r\n";

void appendRow(std::string& out, const std::string& part, const std::string& description,
               const std::string& count, const std::string& note) {
    out += csvField(part) + ',' + csvField(description) + ',' + csvField(count) + ',' +
           csvField(note) + kLineEnd;
}

} // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string partsListCsv(const Layout& layout, const ShopMap& shop) {
    std::string out;
    appendRow(out, "Part number", "Description", "Count", "Note");
    const CountMap counts = tallyCounts(layout, shop);
    for (const auto& [part, count] : counts)
        appendRow(out, part, tallyRowName(part), std::to_string(count), "");

    const Recommendations r = recommendationsFor(counts);
    const struct {
        const char* part;
        const char* description;
        int32_t count;
    } accessories[] = {
        {"74491", "Turnout Motor", r.turnoutMotors},
        {"75491", "K-Track Motor", r.kTrackMotors},
        {"74462", "Decoder", r.decoders},
        {"74467", "Decoder (24720)", r.doubleSlipDecoders},
    };
    for (const auto& a : accessories)
        if (a.count >= 1)
            appendRow(out, a.part, a.description, std::to_string(a.count), "Recommended");
    return out;
}

std::string writePartsList(const Layout& layout, const ShopMap& shop, const std::string& path) {
    return writeFileReplacing(path, partsListCsv(layout, shop));
}

} // namespace plandor
