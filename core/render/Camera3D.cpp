#include "render/Camera3D.h"
#include "base/Geometry.h"
#include "render/Scene3D.h"

#include <algorithm>
#include <cmath>

namespace plandor {

void Camera3D::aimAt(const Scene3D& scene) {
    if (!scene.hasTarget)
        return;
    centreX = scene.centreX;
    centreY = scene.centreY;
    distance = scene.distance;
}

void Camera3D::press(int x, int y, bool left, bool right) {
    lastX_ = x;
    lastY_ = y;
    rotating_ = left;
    panning_ = right;
}

void Camera3D::release() {
    rotating_ = false;
    panning_ = false;
}

bool Camera3D::drag(int x, int y) {
    const double dx = x - lastX_, dy = y - lastY_;
    lastX_ = x;
    lastY_ = y;
    if (rotating_) {
        yaw += 0.5 * dx;
        pitch = std::clamp(pitch + 0.5 * dy, -kMaxPitch, kMaxPitch);
    }
    if (panning_) {
        const double a = yaw * kDegToRad;
        const double k = distance / 900;
        panX += (std::sin(a) * dy + std::cos(a) * dx) * k;
        panY += (std::cos(a) * dy - std::sin(a) * dx) * k;
    }
    return dragging();
}

void Camera3D::wheel(int rotation) {
    distance *= rotation > 0 ? 0.88 : 1 / 0.88;
    distance = std::clamp(distance, kMinDistance, kMaxDistance);
}

bool Camera3D::key(int keyCode) {
    if (keyCode != 'R' && keyCode != 'r')
        return false;
    pitch = kDefaultPitch;
    yaw = kDefaultYaw;
    panX = panY = 0;
    return true;
}

} // namespace plandor
