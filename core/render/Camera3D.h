#pragma once
// The orbiting camera of the 3D view and the mouse and key rules that move it.

#include <array>

namespace plandor {

struct Vec3;

struct Scene3D;

class Camera3D {
  public:
    static constexpr double kDefaultPitch = 35;
    static constexpr double kDefaultYaw = 30;
    static constexpr double kDefaultDistance = 800;
    static constexpr double kMaxPitch = 89;
    static constexpr double kMinDistance = 50;
    static constexpr double kMaxDistance = 15000;

    double pitch = kDefaultPitch;
    double yaw = kDefaultYaw;
    double distance = kDefaultDistance;
    double panX = 0, panY = 0;
    double centreX = 0, centreY = 0;

    // Looks at the scene's centre from its distance; an empty scene leaves the camera as it is.
    void aimAt(const Scene3D& scene);

    // A button went down: left rotates, right pans, both may be held.
    void press(int x, int y, bool left, bool right);
    void release();
    // True when the view must be repainted (only while dragging).
    bool drag(int x, int y);
    // Forward rotation (positive) zooms in.
    void wheel(int rotation);
    // R or r resets the angles and pan and keeps the zoom; false for any other key.
    bool key(int keyCode);

    bool dragging() const { return rotating_ || panning_; }

    // The model-view matrix (column-major, as the graphics library takes it): seen from
    // `distance` along z, tipped by the pitch, turned by the yaw, shifted by the pan.
    std::array<double, 16> modelView() const;
    // A world point in eye coordinates (x right, y up the screen, z toward the viewer).
    Vec3 toEye(const Vec3& world) const;

  private:
    int lastX_ = 0, lastY_ = 0;
    bool rotating_ = false, panning_ = false;
};

} // namespace plandor
