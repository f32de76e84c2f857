#include "core/render/Camera3D.h"
#include "core/base/Geometry.h"
#include "core/render/Mesh3D.h"
#include "core/render/Scene3D.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {

using Matrix = std::array<double, 16>; // column-major

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                m[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return m;
}

Matrix translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

Matrix rotationX(double deg) {
    const double c = std::cos(deg * kDegToRad), s = std::sin(deg * kDegToRad);
    return {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1};
}

Matrix rotationZ(double deg) {
    const double c = std::cos(deg * kDegToRad), s = std::sin(deg * kDegToRad);
    return {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

} // namespace

std::array<double, 16> Camera3D::modelView() const {
    // Looking down -z from (0, 0, distance) with y up is a plain shift. The pitch tips the
    // ground's far side away from the viewer: turning by +pitch would stand the scene on
    // its head, with buildings hanging below the baseboard.
    Matrix m = translation(0, 0, -distance);
    m = multiply(m, rotationX(-pitch));
    m = multiply(m, rotationZ(yaw));
    return multiply(m, translation(panX - centreX, panY - centreY, 0));
}

Vec3 Camera3D::toEye(const Vec3& p) const {
    const Matrix m = modelView();
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

void Camera3D::aimAt(const Scene3D& scene) {
    if (!scene.hasTarget)
        return;
    centreX = scene.centreX;
    centreY = scene.centreY;
    distance = scene.distance;
    openingDistance = scene.distance;
    reach = scene.reach;
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
    distance = std::clamp(distance, kMinDistance, maxDistance());
}

double Camera3D::maxDistance() const {
    return std::max(kMaxDistance, 2 * openingDistance);
}

void Camera3D::key(CameraKey key) {
    switch (key) {
    case CameraKey::Reset:
        pitch = kDefaultPitch;
        yaw = kDefaultYaw;
        panX = panY = 0;
        distance = openingDistance;
        break;
    case CameraKey::OrbitLeft:
        yaw -= kKeyOrbitStep;
        break;
    case CameraKey::OrbitRight:
        yaw += kKeyOrbitStep;
        break;
    case CameraKey::OrbitUp:
        pitch = std::clamp(pitch - kKeyOrbitStep, -kMaxPitch, kMaxPitch);
        break;
    case CameraKey::OrbitDown:
        pitch = std::clamp(pitch + kKeyOrbitStep, -kMaxPitch, kMaxPitch);
        break;
    case CameraKey::ZoomIn:
        wheel(1);
        break;
    case CameraKey::ZoomOut:
        wheel(-1);
        break;
    }
}

std::pair<double, double> Camera3D::clipRange(double extent) const {
    // Everything lies within this distance of the point the camera orbits.
    const double around = std::max(extent, reach) + std::hypot(panX, panY);
    const double farPlane = (distance + around) * 1.05 + 10;
    // A depth buffer keeps enough steps for a far-to-near ratio of about ten thousand.
    const double nearPlane = std::max({(distance - around) * 0.95, farPlane / 10000, 1.0});
    return {nearPlane, farPlane};
}

} // namespace plandor
