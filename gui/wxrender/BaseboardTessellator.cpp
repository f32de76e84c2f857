#include "gui/wxrender/BaseboardTessellator.h"

#ifdef _WIN32
#include <windows.h> // the Windows GL headers build on it
#endif
#include <GL/glu.h>
// Mesa's name for the calling convention of GL callbacks; Windows' headers call it APIENTRY.
#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif

#include <array>
#include <deque>

namespace plandor {

namespace {

// What the callbacks collect: the current primitive's corners, turned into plain triangles
// when the primitive ends.
struct TessState {
    GLenum mode = GL_TRIANGLES;
    std::vector<const GLdouble*> corners;
    std::deque<std::array<GLdouble, 3>> combined; // stable addresses for new points
    std::vector<Vec3> triangles;
    bool failed = false;

    void emit(const GLdouble* a, const GLdouble* b, const GLdouble* c) {
        for (const GLdouble* p : {a, b, c})
            triangles.push_back({p[0], p[1], p[2]});
    }
    void finish() {
        const std::size_t n = corners.size();
        if (mode == GL_TRIANGLES) {
            for (std::size_t i = 0; i + 2 < n; i += 3)
                emit(corners[i], corners[i + 1], corners[i + 2]);
        } else if (mode == GL_TRIANGLE_FAN) {
            for (std::size_t i = 1; i + 1 < n; ++i)
                emit(corners[0], corners[i], corners[i + 1]);
        } else if (mode == GL_TRIANGLE_STRIP) {
            for (std::size_t i = 0; i + 2 < n; ++i) {
                if (i % 2 == 0)
                    emit(corners[i], corners[i + 1], corners[i + 2]);
                else
                    emit(corners[i + 1], corners[i], corners[i + 2]);
            }
        }
        corners.clear();
    }
};

void GLAPIENTRY onBegin(GLenum mode, void* data) {
    static_cast<TessState*>(data)->mode = mode;
}

void GLAPIENTRY onVertex(void* vertex, void* data) {
    static_cast<TessState*>(data)->corners.push_back(static_cast<const GLdouble*>(vertex));
}

void GLAPIENTRY onEnd(void* data) {
    static_cast<TessState*>(data)->finish();
}

void GLAPIENTRY onCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
    auto* state = static_cast<TessState*>(data);
    state->combined.push_back({coords[0], coords[1], coords[2]});
    *out = state->combined.back().data();
}

void GLAPIENTRY onError(GLenum, void* data) {
    static_cast<TessState*>(data)->failed = true;
}

} // namespace

std::vector<Vec3> tessellateOutline(const std::vector<Vec3>& outline) {
    if (outline.size() < 3)
        return {};
    std::vector<std::array<GLdouble, 3>> points;
    points.reserve(outline.size());
    for (const Vec3& p : outline)
        points.push_back({p.x, p.y, p.z});

    TessState state;
    GLUtesselator* tess = gluNewTess();
    if (!tess)
        return {};
    using Callback = void(GLAPIENTRY*)();
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(onBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(onVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Callback>(onEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(onCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(onError));
    gluTessNormal(tess, 0, 0, 1);
    gluTessBeginPolygon(tess, &state);
    gluTessBeginContour(tess);
    for (auto& p : points)
        gluTessVertex(tess, p.data(), p.data());
    gluTessEndContour(tess);
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return state.failed ? std::vector<Vec3>{} : state.triangles;
}

} // namespace plandor
