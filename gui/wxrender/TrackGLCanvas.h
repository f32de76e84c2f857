#pragma once
// The OpenGL canvas of the 3D view: builds the scene from a layout, draws it lit and shaded,
// and turns mouse and keys into camera moves. Between rebuilds it only redraws.

#include "core/render/Camera3D.h"
#include "core/render/Scene3D.h"

#include <wx/glcanvas.h>

#include <memory>
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

  private:
    void onPaint(wxPaintEvent& event);
    void onMouseDown(wxMouseEvent& event);
    void onMouseUp(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKey(wxKeyEvent& event);

    double gridReach() const;
    bool makeCurrent();
    bool isCoreProfile();
    void initGL();
    void drawFrame();
    void drawGroundAndAxes();
    void drawLines();
    void drawPieces(const std::vector<PieceInstance>& pieces,
                    const std::vector<const Mesh3D*>& meshes);
    void drawPlaced(const Mesh3D& mesh, const PlacedMesh& at);
    void resolveMeshes();

    std::unique_ptr<wxGLContext> context_;
    bool glReady_ = false;
    Camera3D camera_;
    Scene3D scene_;
    // Each instance's mesh, looked up once per build instead of once per frame.
    std::vector<const Mesh3D*> pieceMeshOf_;
    std::vector<const Mesh3D*> sceneryMeshOf_;
    std::vector<const Mesh3D*> helixMeshOf_;
    std::vector<const Mesh3D*> hillMeshOf_;
    int sceneBuilds_ = 0;
    int framesDrawn_ = 0;
};

} // namespace plandor
