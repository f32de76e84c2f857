// Track lengths: a three-track station measured against hand-computed sums, the kinds of
// track, cars held, typed car lengths, the CSV table and `plandor --tracks`.
#include "core/app/TrackLengths.h"
#include "TempFolder.h"
#include "TrackFixtures.h"
#include "core/app/CheckCommand.h"
#include "core/app/CommandLine.h"
#include "core/app/TrackRuns.h"
#include "core/model/HelixPlacement.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

// R2 24.3 degree curve: the bend from a turnout's branch back to parallel track.
const double kStationCurve = 437.5 * 24.3 * kDegToRad;

std::vector<TrackLength> ofKind(const std::vector<TrackLength>& all, TrackKind kind) {
    std::vector<TrackLength> out;
    for (const TrackLength& t : all)
        if (t.kind == kind)
            out.push_back(t);
    return out;
}

TEST(TrackLengths, ThreeTrackStationMatchesHandSums) {
    Layout layout = emptyLayout();
    const Station s = addStation(layout, kTrixParts, 3);
    const std::vector<TrackLength> tracks = trackLengths(layout);

    const std::vector<TrackLength> station = ofKind(tracks, TrackKind::BetweenTurnouts);
    ASSERT_EQ(station.size(), 3u);
    // Tracks a and c: bend, three straights, bend; b: three straights. Longest first.
    EXPECT_NEAR(station[0].length, 2 * kStationCurve + 3 * 188.3, 1e-6);
    EXPECT_EQ(station[0].pieces.size(), 5u);
    EXPECT_NEAR(station[1].length, 2 * kStationCurve + 3 * 188.3, 1e-6);
    EXPECT_NEAR(station[2].length, 3 * 188.3, 1e-6);
    EXPECT_EQ(station[2].pieces.front(), layout.findPiece(s.t2)->jointAt(1).target);
    EXPECT_EQ(station[2].pieces.back(), layout.findPiece(s.u2)->jointAt(1).target);

    // A straight to the buffer stop on the left (the stop itself holds nothing), an open
    // straight on the right; the turnouts joined head to head hold no track at all.
    const std::vector<TrackLength> sidings = ofKind(tracks, TrackKind::Siding);
    ASSERT_EQ(sidings.size(), 2u);
    EXPECT_NEAR(sidings[0].length, 188.3, 1e-9);
    EXPECT_NEAR(sidings[1].length, 188.3, 1e-9);
    EXPECT_EQ(sidings[0].pieces.size() + sidings[1].pieces.size(), 3u);
    EXPECT_TRUE(ofKind(tracks, TrackKind::PlainRun).empty());

    EXPECT_EQ(carsHeld(station[2].length, 200), 2);
    EXPECT_EQ(carsHeld(station[0].length, 200), 4);
}

TEST(TrackLengths, TrackWithoutTurnoutsIsOnePlainRun) {
    struct Case {
        const char* name;
        void (*build)(Layout&);
        double length;
    } cases[] = {
        {"open at both ends",
         [](Layout& l) {
             layRun(l, {addPiece(l, "62188").id, 1}, "62130", 2);
         },
         188.3 + 2 * 360 * kPi / 6},
        {"oval", [](Layout& l) { addOval(l, kCTrackParts); }, 2 * 188.3 + 12 * 360 * kPi / 6},
        // Both loops and both routes through the crossing, once each.
        {"figure eight", [](Layout& l) { addFigureEight(l, kCTrackParts); },
         2 * 188.3 + 12 * 360 * kPi / 6 + 188.3 + std::hypot(179.96 - 8.34, 77.48)},
    };
    for (const Case& c : cases) {
        Layout layout = emptyLayout();
        c.build(layout);
        const std::vector<TrackLength> tracks = trackLengths(layout);
        ASSERT_EQ(tracks.size(), 1u) << c.name;
        EXPECT_EQ(tracks[0].kind, TrackKind::PlainRun) << c.name;
        EXPECT_NEAR(tracks[0].length, c.length, 1e-6) << c.name;
    }
}

TEST(TrackLengths, AHelixCarriesTheTrackFromStubToStub) {
    Layout layout = emptyLayout();
    ASSERT_TRUE(placeHelix(layout, 1000, 500, 0, ""));
    // Each stub and its spiral: one track per radius, ends open.
    const std::vector<TrackLength> tracks = trackLengths(layout);
    ASSERT_EQ(tracks.size(), 2u);
    const double r2Spiral = std::hypot(2 * kPi * 437.5 * 2.5, 260);
    EXPECT_NEAR(tracks[0].length, 2 * 188.3 + r2Spiral, 1e-6);
    EXPECT_EQ(tracks[0].pieces.size(), 2u);
}

TEST(TrackLengths, CarLengths) {
    Layout z = emptyLayout();
    addOval(z, kZParts);
    EXPECT_EQ(defaultCarLength(z), 110);
    Layout h0 = emptyLayout();
    addOval(h0, kTrixParts);
    EXPECT_EQ(defaultCarLength(h0), 200);

    struct Case {
        const char* text;
        Units units;
        std::optional<double> mm;
    } cases[] = {
        {"200", Units::Millimetres, 200},    {"20.5", Units::Centimetres, 205},
        {"4", Units::Inches, 101.6},         {" 150 ", Units::Millimetres, 150},
        {"0", Units::Millimetres, {}},       {"-3", Units::Millimetres, {}},
        {"12 cars", Units::Millimetres, {}}, {"", Units::Millimetres, {}},
    };
    for (const Case& c : cases) {
        const std::optional<double> got = parseCarLength(c.text, c.units);
        ASSERT_EQ(got.has_value(), c.mm.has_value()) << c.text;
        if (got) {
            EXPECT_NEAR(*got, *c.mm, 1e-9) << c.text;
        }
    }
    EXPECT_EQ(carsHeld(1000, 200), 5);
    EXPECT_EQ(carsHeld(999.9, 200), 4);
    EXPECT_EQ(carsHeld(500, 0), 0);
}

class TracksCommand : public ::testing::Test {
  protected:
    void SetUp() override { dir = tempFolder(); }
    void TearDown() override { fs::remove_all(dir); }

    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return runTracksCommand(args, out, err).value_or(-1);
    }
    std::string dir;
    std::ostringstream out, err;
};

TEST_F(TracksCommand, PrintsOneTrackPerLineAndExitsAsTheCheck) {
    Layout layout = emptyLayout();
    addStation(layout, kTrixParts, 1);
    layout.units = Units::Centimetres;
    const std::string path = dir + "/station.plo";
    ASSERT_EQ(saveLayout(layout, path, "station"), "");

    EXPECT_EQ(run({"--tracks", path}), kCheckClean);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    const double outer = (2 * kStationCurve + 188.3) / 10;
    EXPECT_EQ(line, "Between turnouts\t" + formatText("%.2f", outer) + " cm\t2\t62224 #5, " +
                        "62188 #6, 62224 #7");
    int count = 1;
    while (std::getline(lines, line))
        ++count;
    EXPECT_EQ(count, 5);

    EXPECT_EQ(run({"--check", path}), -1); // not ours
    EXPECT_EQ(run({"--tracks"}), kCheckUnreadable);
    EXPECT_EQ(run({"--tracks", dir + "/missing.plo"}), kCheckUnreadable);
    EXPECT_FALSE(err.str().empty());
    std::ofstream(dir + "/notes.plo") << "shopping list";
    EXPECT_EQ(run({"--tracks", dir + "/notes.plo"}), kCheckUnreadable);
    EXPECT_EQ(err.str(), "Not a layout file: " + dir + "/notes.plo\n");
}

TEST_F(TracksCommand, PartsExportWritesTheTracksAsASecondCsv) {
    Layout layout = emptyLayout();
    addStation(layout, kCTrackParts, 1);
    const std::string path = dir + "/station.plo";
    ASSERT_EQ(saveLayout(layout, path, "station"), "");
    const CommandLine line = parseCommandLine(
        {"--export-parts", dir + "/parts.csv", "--export-tracks", dir + "/tracks.csv", path});
    ASSERT_EQ(line.action, CommandLineAction::ExportParts) << line.error;
    EXPECT_EQ(line.tracksOutput, dir + "/tracks.csv");
    EXPECT_EQ(exportPartsFile(line.layoutPath, line.output, ShopMap{}, line.tracksOutput).message,
              "");
    const std::string csv = readFile(dir + "/tracks.csv");
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "Kind,Length (mm),Cars of 200 mm,Pieces\r\n");
    EXPECT_NE(csv.find("Siding,188.3,0,\"24188 #"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir + "/parts.csv"));

    EXPECT_EQ(
        parseCommandLine({"--export-parts", "p.csv", "--export-tracks", "t.txt", path}).action,
        CommandLineAction::Invalid);
    EXPECT_EQ(parseCommandLine({"--export-plan", "p.pdf", "--export-tracks", "t.csv", path}).action,
              CommandLineAction::Invalid);
}

} // namespace
