#pragma once
// The OpenGL canvas of the 3D view: builds the scene from a layout, draws it lit and shaded,
// and turns mouse and keys into camera moves. Between rebuilds it only redraws.

#include "core/render/Camera3D.h"
#include "core/render/Scene3D.h"

#include <wx/glcanvas.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace plandor {

class TrackGLCanvas : public wxGLCanvas {
  public:
    TrackGLCanvas(wxWindow* parent, const plandor::Layout& layout);
    ~TrackGLCanvas() override;

    // Empties and rebuilds the scene, aims the camera at it and repaints.
    void rebuildScene(const plandor::Layout& layout);

    // Draws one frame now and shows it; false when no context could be made current. With
    // `pixels`, the frame is read back first (RGB rows from the bottom up).
    bool renderFrame(std::vector<unsigned char>* pixels = nullptr);

    // Moves the camera when the key is one of the view's (R, arrows, + and -); false otherwise.
    bool cameraKey(const wxKeyEvent& event);

    const Scene3D& scene() const { return scene_; }
    const Camera3D& camera() const { return camera_; }
    int sceneBuilds() const { return sceneBuilds_; }
    int framesDrawn() const { return framesDrawn_; }
    // True while meshes drawn so far from their arrays wait for their lists, compiled when
    // the program is idle.
    bool compiling() const { return !pending_.empty(); }

    // What the last frame drew of the track.
    struct TrackDrawn {
        int detailed = 0;   // pieces with ballast, sleepers and rails
        int plain = 0;      // pieces drawn one by one as plain bands
        int batches = 0;    // cells drawn as one batch, plain or far
        int farBatches = 0; // of those, cells drawn simplified
        int culled = 0;     // cells out of the picture
    };
    const TrackDrawn& trackDrawn() const { return trackDrawn_; }

  private:
    void onPaint(wxPaintEvent& event);
    void onMouseDown(wxMouseEvent& event);
    void onMouseUp(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKey(wxKeyEvent& event);
    void onIdle(wxIdleEvent& event);

    double gridReach() const;
    bool makeCurrent();
    bool isCoreProfile();
    void initGL();
    void drawFrame();
    void drawGroundAndAxes();
    void drawLines();
    void drawScenery(const ViewVolume& volume, Vec3 eye, const TrackDetailRange& detail);
    void drawCellsFixed(const ViewVolume& volume, Vec3 eye, const TrackDetailRange& detail);
    void drawTrack(const ViewVolume& volume, Vec3 eye, const TrackDetailRange& detail);
    void drawCell(SceneCell& cell, TrackDetail level, bool fixed);
    void drawPiece(const PieceInstance& piece, const Mesh3D& mesh);
    void drawPlaced(const Mesh3D& mesh, const PlacedMesh& at);
    // Draws the mesh through its display list, or from its arrays until the list is compiled.
    void drawList(const Mesh3D& mesh);
    // The same for a cell's mesh, its list kept by the cell's content across builds.
    void drawCellList(const Mesh3D& mesh, std::unordered_map<uint64_t, unsigned>& lists,
                      uint64_t content);
    // Compiles waiting lists for about `budgetMs`; false when some still wait. Without a
    // current context they are dropped.
    bool compilePending(double budgetMs);
    void forgetLists();
    // Before a build: the lists of the meshes a build makes anew wait, by their content, for
    // the meshes of the new scene that are alike.
    void keepListsByContent();
    // After a build: the cells' lists that the new scene has no cell for go.
    void dropStaleCellLists();
    void dropKeptLists();
    // False when the context could not be made current to delete them.
    bool deleteLists(const std::vector<unsigned>& lists);
    void resolveMeshes();

    std::unique_ptr<wxGLContext> context_;
    bool glReady_ = false;
    Camera3D camera_;
    Scene3D scene_;
    // Each instance's mesh, looked up once per build instead of once per frame.
    std::vector<const Mesh3D*> pieceMeshOf_;
    std::vector<const Mesh3D*> plainMeshOf_;
    std::vector<const Mesh3D*> sceneryMeshOf_;
    std::vector<const Mesh3D*> farSceneryMeshOf_;
    std::vector<Ball> sceneryBallOf_; // in the world
    std::vector<const Mesh3D*> helixMeshOf_;
    std::vector<const Mesh3D*> farHelixMeshOf_;
    std::vector<Ball> helixBallOf_;
    // The display list of each shared mesh (the scene keeps them from build to build) and of
    // the baseboard and raised shapes drawn since the last build.
    std::unordered_map<const Mesh3D*, unsigned> lists_;
    std::unordered_multimap<uint64_t, unsigned> kept_; // by content, until the next frame
    // The lists of the cells' plain track and of their piers and hills, near and far, by
    // cell content.
    std::unordered_map<uint64_t, unsigned> plainLists_;
    std::unordered_map<uint64_t, unsigned> fixedLists_;
    std::unordered_map<uint64_t, unsigned> farTrackLists_;
    std::unordered_map<uint64_t, unsigned> farFixedLists_;
    std::vector<unsigned> unused_; // lists to delete once the context is current
    // Meshes the last frame drew from their arrays: a shared mesh (no cell lists) or a cell's.
    struct PendingList {
        const Mesh3D* mesh;
        std::unordered_map<uint64_t, unsigned>* cellLists;
        uint64_t content;
    };
    std::vector<PendingList> pending_;
    int sceneBuilds_ = 0;
    int framesDrawn_ = 0;
    TrackDrawn trackDrawn_;
};

} // namespace plandor
