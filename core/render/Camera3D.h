#pragma once
// The orbiting camera of the 3D view and the mouse and key rules that move it.

#include <array>
#include <utility>

namespace plandor {

struct Vec3;

struct Scene3D;

// What a key asks of the camera; the window maps its key codes onto these.
enum class CameraKey { Reset, OrbitLeft, OrbitRight, OrbitUp, OrbitDown, ZoomIn, ZoomOut };

class Camera3D {
  public:
    static constexpr double kDefaultPitch = 35;
    static constexpr double kDefaultYaw = 30;
    static constexpr double kDefaultDistance = 800;
    static constexpr double kMaxPitch = 89;
    static constexpr double kMinDistance = 50;
    static constexpr double kMaxDistance = 15000;
    // Degrees one arrow key press turns or tips the view.
    static constexpr double kKeyOrbitStep = 5;

    double pitch = kDefaultPitch;
    double yaw = kDefaultYaw;
    double distance = kDefaultDistance;
    double panX = 0, panY = 0;
    double centreX = 0, centreY = 0;
    // How far the scene reaches from its centre, and where the view opened from.
    double reach = 0;
    double openingDistance = kDefaultDistance;

    // Looks at the scene's centre from its distance; an empty scene leaves the camera as it is.
    void aimAt(const Scene3D& scene);

    // A button went down: left rotates, right pans, both may be held.
    void press(int x, int y, bool left, bool right);
    void release();
    // True when the view must be repainted (only while dragging).
    bool drag(int x, int y);
    // Forward rotation (positive) zooms in.
    void wheel(int rotation);
    // Reset returns to the opening view; the arrows orbit as a drag that way would; zoom
    // steps as one wheel notch does.
    void key(CameraKey key);

    // The farthest the camera may back away: far enough to see the whole scene.
    double maxDistance() const;
    // Near and far clipping distances that hold everything within `extent` of the scene
    // centre (at least the scene's reach), however the camera is turned, panned or zoomed.
    std::pair<double, double> clipRange(double extent) const;

    bool dragging() const { return rotating_ || panning_; }

    // The model-view matrix (column-major, as the graphics library takes it): seen from
    // `distance` along z, tipped by the pitch, turned by the yaw, shifted by the pan.
    std::array<double, 16> modelView() const;
    // A world point in eye coordinates (x right, y up the screen, z toward the viewer).
    Vec3 toEye(const Vec3& world) const;
    // Where the eye is in the world.
    Vec3 eye() const;

  private:
    int lastX_ = 0, lastY_ = 0;
    bool rotating_ = false, panning_ = false;
};

} // namespace plandor
