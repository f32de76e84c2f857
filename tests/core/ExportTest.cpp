// Exports: the sheets a plan picture is drawn on, the parts list as CSV read back the way a
// spreadsheet reads it, and the command line that runs them without a window.
#include "LayoutBuilder.h"

#include "core/app/CommandLine.h"
#include "core/app/PartsList.h"
#include "core/app/Tally.h"
#include "core/render/PlanExport.h"
#include "core/render/PrintLayout.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plandor {
namespace {

Layout straightsAcross(double width, double height) {
    Layout layout = bareLayout();
    layout.baseboard = {{0, 0}, {width, 0}, {width, height}, {0, height}};
    return layout;
}

TEST(PlanExport, SheetsForEachScaleAndFormat) {
    const Layout wide = straightsAcross(2000, 1000);
    const ExportPlan fit = planExport(wide, {ExportFormat::Pdf, 0, PaperSize::A4});
    EXPECT_EQ(fit.grid.pageCount(), 1);
    EXPECT_GT(fit.width, fit.height); // a wide plan turns the sheet to landscape

    // One SVG sheet at 1:10 holds the plan (200 x 100 mm on paper) inside its margins.
    const ExportPlan svg = planExport(wide, {ExportFormat::Svg, 10, PaperSize::A4});
    EXPECT_EQ(svg.grid.pageCount(), 1);
    const double planPx = 2000 * svg.grid.scale;
    EXPECT_GE(svg.width - 2 * static_cast<int>(0.04 * svg.width), planPx);
    EXPECT_LT(svg.width, planPx * 1.1);

    const ExportPlan hugePng = planExport(wide, {ExportFormat::Png, 1, PaperSize::A4});
    EXPECT_NE(hugePng.error.find("too large"), std::string::npos) << "23622 x 11811 pixels";
    EXPECT_TRUE(planExport(wide, {ExportFormat::Png, 5, PaperSize::A4}).error.empty());
}

// The 175-byte layout of a fault report: one piece 1,000 km out, exported at 1 : 1 on A4.
TEST(PlanExport, APdfOfTooManyPagesIsRefusedBeforeAnythingIsWritten) {
    Layout layout = bareLayout();
    addPiece(layout, "24188", 1e9, 0);
    addPiece(layout, "24188", 0, 0);
    const ExportPlan far = planExport(layout, {ExportFormat::Pdf, 1, PaperSize::A4});
    EXPECT_EQ(far.error, tooManyPagesMessage());
    EXPECT_TRUE(planExport(layout, {ExportFormat::Pdf, 0, PaperSize::A4}).error.empty())
        << "fitted to one page it is fine";
    layout.pieces[0].x = 2000;
    EXPECT_TRUE(planExport(layout, {ExportFormat::Pdf, 1, PaperSize::A4}).error.empty());
}

TEST(PlanExport, HiddenLevelsStayOutOfThePicture) {
    Layout layout = bareLayout();
    layout.levels.push_back(Level{2, "Level 2", false});
    addPiece(layout, "24188", 0, 0);
    addPiece(layout, "24188", 5000, 0).level = 2;
    const ExportPlan plan = planExport(layout, {ExportFormat::Pdf, 0, PaperSize::A4});
    EXPECT_LT(plan.box.maxX, 1000);
}

// RFC 4180 fields of one text, as a spreadsheet reads them.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                rows.back().back() += text[++i];
            else if (c == '"')
                quoted = false;
            else
                rows.back().back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty())
        rows.pop_back();
    return rows;
}

TEST(PartsList, ReadsBackAsTheTally) {
    Layout layout = bareLayout();
    addPiece(layout, "74618", 0, 0);   // a ramp brings its deck track
    addPiece(layout, "24630", 0, 300); // a three-way turnout: motors and a decoder
    addPiece(layout, "24188", 0, 600);
    addPiece(layout, "24188", 200, 600);
    addPiece(layout, "odd,\"part\"", 0, 900); // unknown: counted under its own name, quoted
    const ShopMap shop;

    const std::string csv = partsListCsv(layout, shop);
    EXPECT_NE(csv.find("\r\n"), std::string::npos);
    const auto rows = parseCsv(csv);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Part number", "Description", "Count", "Note"}));

    const CountMap tally = tallyCounts(layout, shop);
    CountMap read;
    std::vector<std::string> recommended;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 4u) << "row " << i;
        if (rows[i][3] == "Recommended") {
            recommended.push_back(rows[i][0] + " x" + rows[i][2]);
            continue;
        }
        EXPECT_EQ(rows[i][1], tallyRowName(rows[i][0]));
        read[rows[i][0]] = std::stoi(rows[i][2]);
    }
    EXPECT_EQ(read, tally);
    EXPECT_EQ(read["24188"], 3) << "two placed and one under the ramp";
    EXPECT_EQ(recommended, (std::vector<std::string>{"74491 x2", "74462 x1"}));
}

TEST(CommandLine, ExportLinesAndTheirMistakes) {
    using A = CommandLineAction;
    const std::string plan = "--export-plan", parts = "--export-parts";
    const struct {
        const char* name;
        std::vector<std::string> args;
        A action;
        int scale;
        const char* errorPart;
    } cases[] = {
        {"no arguments opens the window", {}, A::OpenWindow, 0, ""},
        {"a layout opens the window on it", {"Yard.plo"}, A::OpenWindow, 0, ""},
        {"upper-case extension", {plan, "out.PDF", "a"}, A::ExportPlan, 0, ""},
        {"scale last", {plan, "o.png", "a", "--scale", "1:1000"}, A::ExportPlan, 1000, ""},
        {"scale of 0", {plan, "o.pdf", "--scale", "1:0", "a"}, A::Invalid, 0, "bad scale"},
        {"past 1:1000", {plan, "o.pdf", "--scale", "1:1001", "a"}, A::Invalid, 0, "bad scale"},
        {"no scale value", {plan, "o.pdf", "a", "--scale"}, A::Invalid, 0, "needs a value"},
        {"bad paper", {plan, "o.pdf", "--paper", "A5", "a"}, A::Invalid, 0, "bad paper"},
        {"no layout", {plan, "o.pdf"}, A::Invalid, 0, "no layout"},
        {"two layouts", {parts, "p.csv", "a", "b"}, A::Invalid, 0, "more than one"},
        {"no output", {parts, "a"}, A::Invalid, 0, ".csv"},
        {"parts scale", {parts, "p.csv", "--scale", "1:2", "a"}, A::Invalid, 0, "unknown option"},
        {"unknown verb", {"--frobnicate"}, A::Invalid, 0, "unknown argument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(line.action, c.action) << line.error;
        EXPECT_EQ(line.plan.scaleDenominator, c.scale);
        EXPECT_NE(line.error.find(c.errorPart), std::string::npos) << line.error;
    }
}

} // namespace
} // namespace plandor
