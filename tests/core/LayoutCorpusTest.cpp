// Damaged and edge-case layout files kept from fuzzing and fault reports: each opens (or is
// refused, and is then read for what it holds), fits the view, draws at several zooms with
// every screen coordinate in range, and saves twice to the same text; every command that reads
// a layout file (check, parts list, plan export) takes or refuses it alike.
#include "RecordingPainter.h"
#include "TempFolder.h"

#include "core/app/CheckCommand.h"
#include "core/app/CommandLine.h"
#include "core/base/Process.h"

#include "core/canvas/CanvasView.h"
#include "core/model/LayoutFile.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/PlanExport.h"
#include "core/render/Scene3D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

bool onSafeScreen(double x, double y) {
    return std::abs(x) <= kMaxScreenCoordinate && std::abs(y) <= kMaxScreenCoordinate;
}

void expectDrawsInRange(const Layout& layout, const ViewTransform& view) {
    RecordingPainter painter;
    LayoutRenderer().drawLayout(painter, layout, RenderSettings::of(layout), view, kWidth, kHeight);
    EXPECT_FALSE(painter.calls.empty());
    for (const DrawCall& call : painter.calls) {
        for (const ScreenPoint& p : call.points)
            EXPECT_TRUE(onSafeScreen(p.x, p.y)) << p.x << ", " << p.y;
        EXPECT_TRUE(onSafeScreen(call.x, call.y) && onSafeScreen(call.w, call.h))
            << call.x << ", " << call.y << " " << call.w << " x " << call.h;
    }
}

// Opens the file as the program does; a file it refuses (no layout, cut off) is read for
// what it holds all the same, so drawing and saving are tried on its damage too.
void readCorpusFile(const std::string& path, Layout& layout, std::string& name) {
    if (loadLayout(layout, path, name).empty())
        return;
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    readLayoutText(layout, text, name);
}

} // namespace

TEST(LayoutCorpus, EachFileOpensDrawsAndSavesStably) {
    std::set<fs::path> files;
    for (const auto& entry : fs::directory_iterator(std::string(PLANDOR_TEST_DATA) + "/corpus"))
        files.insert(entry.path());
    ASSERT_GE(files.size(), 6u);
    const std::string out =
        (fs::temp_directory_path() / ("plandor_corpus_" + std::to_string(currentProcess().pid)))
            .string();
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        Layout layout;
        std::string name;
        readCorpusFile(file.string(), layout, name);

        CanvasView fit;
        fit.zoomToFit(layout, kWidth, kHeight);
        const ViewTransform& view = fit.transform();
        EXPECT_TRUE(std::isfinite(view.scale) && std::isfinite(view.panX) &&
                    std::isfinite(view.panY));
        expectDrawsInRange(layout, view);
        expectDrawsInRange(layout, ViewTransform{1, 0, 0});
        expectDrawsInRange(layout, ViewTransform{kMaxZoomScale, -5000, 7000});

        ASSERT_EQ(saveLayout(layout, out, name), "");
        Layout again;
        ASSERT_EQ(loadLayout(again, out, name), "");
        EXPECT_EQ(layoutFileText(again, name), layoutFileText(layout, name));
    }
    fs::remove(out);
}

// What a scene holds for the layout beyond the meshes shared by part number, scenery type and
// helix variant, whose number the catalogues bound.
std::size_t sceneBytes(const Scene3D& scene) {
    auto meshBytes = [](const Mesh3D& m) {
        return (m.positions.size() + m.normals.size() + m.colors.size()) * sizeof(float) +
               m.indices.size() * sizeof(uint32_t);
    };
    return scene.pieces.size() * sizeof(PieceInstance) +
           scene.scenery.size() * sizeof(SceneryInstance) +
           scene.piers.size() * sizeof(PlacedMesh) + scene.helices.size() * sizeof(HelixInstance) +
           scene.hills.size() * sizeof(PieceInstance) + scene.lines.size() * sizeof(LineSegment) +
           meshBytes(scene.baseboard) + meshBytes(scene.structure);
}

// The 3D scene of each file stays within the triangle limit and within 20 bytes of scene per
// byte of file, and gives the camera a finite place to look from.
TEST(LayoutCorpus, EachFileBuildsABoundedScene) {
    for (const auto& entry : fs::directory_iterator(std::string(PLANDOR_TEST_DATA) + "/corpus")) {
        SCOPED_TRACE(entry.path().filename().string());
        Layout layout;
        std::string name;
        readCorpusFile(entry.path().string(), layout, name);
        Scene3D scene;
        buildScene(layout, RenderSettings::of(layout), scene, nullptr);
        EXPECT_LE(scene.triangles, kSceneTriangleLimit);
        EXPECT_LE(sceneBytes(scene), 20 * fs::file_size(entry.path()));
        EXPECT_TRUE(std::isfinite(scene.centreX) && std::isfinite(scene.centreY) &&
                    std::isfinite(scene.distance) && std::isfinite(scene.reach));
    }
}

// Every command treats each file alike: the check and the parts list either both refuse it,
// with the reader's message and exit code 2, writing nothing, or both run on it; a plan that
// would take too many pages is refused before it is drawn. (The plan export itself draws
// with the toolkit: tests/cli/export_cli.sh runs it over the same files.)
TEST(LayoutCorpus, EachFileIsCheckedAndExportedOrRefusedAlike) {
    const std::string out = tempFolder();
    for (const auto& entry : fs::directory_iterator(std::string(PLANDOR_TEST_DATA) + "/corpus")) {
        const std::string path = entry.path().string();
        SCOPED_TRACE(entry.path().filename().string());
        Layout layout;
        std::string name;
        const std::string refused = loadLayout(layout, path, name);

        std::ostringstream findings, errors;
        const int checked = runCheckCommand({"--check", path}, findings, errors).value_or(-1);
        const std::string csv = out + "/parts.csv";
        fs::remove(csv);
        const CommandResult parts = exportPartsFile(path, csv, ShopMap{});
        if (!refused.empty()) {
            EXPECT_EQ(checked, kExitUnreadable);
            EXPECT_EQ(errors.str(), refused + "\n");
            EXPECT_EQ(parts.exitCode, kExitUnreadable);
            EXPECT_EQ(parts.message, refused);
            EXPECT_FALSE(fs::exists(csv));
            continue;
        }
        EXPECT_TRUE(checked == kCheckClean || checked == kCheckFoundErrors) << errors.str();
        EXPECT_EQ(parts.exitCode, kExitDone) << parts.message;
        std::ifstream in(csv, std::ios::binary);
        std::string header;
        std::getline(in, header);
        EXPECT_EQ(header, "Part number,Description,Count,Note\r");
        for (const int scale : {0, 1, 100}) {
            const ExportPlan plan = planExport(layout, {ExportFormat::Pdf, scale, PaperSize::A4});
            EXPECT_TRUE(plan.error.empty() || plan.error == tooManyPagesMessage()) << plan.error;
            EXPECT_TRUE(plan.grid.pageCount() <= kMaxPrintPages || !plan.error.empty());
        }
    }
    fs::remove_all(out);
}
