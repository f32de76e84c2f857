#include "gui/wxrender/TrackGLCanvas.h"
#include "gui/wxrender/BaseboardTessellator.h"

#include <wx/dcclient.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace plandor {

namespace {

constexpr double kGridExtent = 3500;
constexpr double kGridStep = 100;
// GL_CONTEXT_PROFILE_MASK and GL_CONTEXT_CORE_PROFILE_BIT, missing from older headers.
constexpr GLenum kContextProfileMask = 0x9126;
constexpr GLint kCoreProfileBit = 0x1;

wxGLAttributes canvasAttributes() {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
    return attrs;
}

void drawMesh(const Mesh3D& mesh) {
    if (mesh.empty())
        return;
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    glColorPointer(3, GL_FLOAT, 0, mesh.colors.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_INT,
                   mesh.indices.data());
}

std::optional<CameraKey> cameraKeyOf(int keyCode) {
    switch (keyCode) {
    case 'R':
    case 'r':
        return CameraKey::Reset;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return CameraKey::OrbitLeft;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return CameraKey::OrbitRight;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        return CameraKey::OrbitUp;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        return CameraKey::OrbitDown;
    case '+':
    case '=': // + without Shift on most keyboards
    case WXK_ADD:
    case WXK_NUMPAD_ADD:
        return CameraKey::ZoomIn;
    case '-':
    case WXK_SUBTRACT:
    case WXK_NUMPAD_SUBTRACT:
        return CameraKey::ZoomOut;
    default:
        return std::nullopt;
    }
}

} // namespace

TrackGLCanvas::TrackGLCanvas(wxWindow* parent, const plandor::Layout& layout)
    : wxGLCanvas(parent, canvasAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS) {
    Bind(wxEVT_PAINT, &TrackGLCanvas::onPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        Refresh(false);
        e.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, &TrackGLCanvas::onMouseDown, this);
    Bind(wxEVT_RIGHT_DOWN, &TrackGLCanvas::onMouseDown, this);
    Bind(wxEVT_LEFT_UP, &TrackGLCanvas::onMouseUp, this);
    Bind(wxEVT_RIGHT_UP, &TrackGLCanvas::onMouseUp, this);
    Bind(wxEVT_MOTION, &TrackGLCanvas::onMotion, this);
    Bind(wxEVT_MOUSEWHEEL, &TrackGLCanvas::onWheel, this);
    Bind(wxEVT_KEY_DOWN, &TrackGLCanvas::onKey, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { camera_.release(); });
    rebuildScene(layout);
}

TrackGLCanvas::~TrackGLCanvas() {
    if (HasCapture())
        ReleaseMouse();
}

void TrackGLCanvas::rebuildScene(const plandor::Layout& layout) {
    buildScene(layout, scene_, tessellateOutline);
    camera_.aimAt(scene_);
    resolveMeshes();
    ++sceneBuilds_;
    Refresh(false);
}

void TrackGLCanvas::resolveMeshes() {
    auto lookUp = [](const MeshCache& cache, const std::string& key) -> const Mesh3D* {
        auto it = cache.find(key);
        return it == cache.end() ? nullptr : &it->second;
    };
    pieceMeshOf_.clear();
    for (const PieceInstance& p : scene_.pieces)
        pieceMeshOf_.push_back(lookUp(scene_.pieceMeshes, p.part));
    sceneryMeshOf_.clear();
    for (const SceneryInstance& s : scene_.scenery)
        sceneryMeshOf_.push_back(lookUp(scene_.sceneryMeshes, s.type));
    helixMeshOf_.clear();
    for (const HelixInstance& h : scene_.helices)
        helixMeshOf_.push_back(lookUp(scene_.helixMeshes, h.variant));
    hillMeshOf_.clear();
    for (const PieceInstance& p : scene_.hills)
        hillMeshOf_.push_back(lookUp(scene_.hillMeshes, p.part));
}

bool TrackGLCanvas::makeCurrent() {
    // A context can only be made current on a window that is on screen.
    if (!IsShownOnScreen())
        return false;
    if (context_)
        return SetCurrent(*context_);
    // Version 2.1 has no core profile to speak of: GLX drivers (Mesa among them) hand out a
    // context with the fixed-function pipeline the drawing needs. A driver that refuses the
    // request, or really strips the pipeline, is asked for its default context instead.
    wxGLContextAttrs requested;
    requested.PlatformDefaults().CoreProfile().MajorVersion(2).MinorVersion(1).EndList();
    context_ = std::make_unique<wxGLContext>(this, nullptr, &requested);
    if (!context_->IsOK() || !SetCurrent(*context_) || isCoreProfile())
        context_ = std::make_unique<wxGLContext>(this);
    if (!context_->IsOK() || !SetCurrent(*context_)) {
        context_.reset();
        return false;
    }
    return true;
}

bool TrackGLCanvas::isCoreProfile() {
    GLint mask = 0;
    glGetIntegerv(kContextProfileMask, &mask);
    glGetError(); // contexts before 3.2 do not know the query
    return (mask & kCoreProfileBit) != 0;
}

void TrackGLCanvas::initGL() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);

    // Given under the identity model-view, so both lights move with the viewer.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat ambient0[] = {0.22f, 0.22f, 0.20f, 1}, diffuse0[] = {0.92f, 0.90f, 0.84f, 1};
    const GLfloat specular0[] = {0.35f, 0.35f, 0.38f, 1}, position0[] = {700, 500, 1000, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse0);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular0);
    glLightfv(GL_LIGHT0, GL_POSITION, position0);
    const GLfloat ambient1[] = {0.04f, 0.04f, 0.07f, 1}, diffuse1[] = {0.22f, 0.26f, 0.34f, 1};
    const GLfloat position1[] = {-500, -700, 250, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient1);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse1);
    glLightfv(GL_LIGHT1, GL_POSITION, position1);
    const GLfloat materialSpecular[] = {0.35f, 0.35f, 0.38f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
    glClearColor(0.14f, 0.16f, 0.19f, 1);
    glReady_ = true;
}

void TrackGLCanvas::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    renderFrame();
}

bool TrackGLCanvas::renderFrame(std::vector<unsigned char>* pixels) {
    if (!makeCurrent())
        return false;
    if (!glReady_)
        initGL();
    drawFrame();
    if (pixels) {
        // The back buffer holds the frame until it is swapped.
        const wxSize size = GetClientSize() * GetContentScaleFactor();
        pixels->assign(static_cast<std::size_t>(std::max(0, size.x * size.y * 3)), 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, size.x, size.y, GL_RGB, GL_UNSIGNED_BYTE, pixels->data());
    }
    SwapBuffers();
    return true;
}

double TrackGLCanvas::gridReach() const {
    // The farthest corner of the ground grid from the scene centre.
    return std::hypot(std::fabs(camera_.centreX) + kGridExtent,
                      std::fabs(camera_.centreY) + kGridExtent);
}

void TrackGLCanvas::drawFrame() {
    const wxSize size = GetClientSize() * GetContentScaleFactor();
    if (size.x >= 1 && size.y >= 1) {
        glViewport(0, 0, size.x, size.y);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const auto [nearPlane, farPlane] = camera_.clipRange(gridReach());
        gluPerspective(40.0, static_cast<double>(size.x) / size.y, nearPlane, farPlane);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glLoadMatrixd(camera_.modelView().data());
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawGroundAndAxes();

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    drawMesh(scene_.baseboard);
    for (std::size_t i = 0; i < scene_.scenery.size(); ++i) {
        const SceneryInstance& s = scene_.scenery[i];
        if (!sceneryMeshOf_[i])
            continue;
        glPushMatrix();
        glTranslated(s.position.x, s.position.y, s.position.z + sceneryLift(s.type));
        glRotated(s.rotation, 0, 0, 1);
        if (s.scaleX != 1 || s.scaleY != 1)
            glScaled(s.scaleX, s.scaleY, 1);
        drawMesh(*sceneryMeshOf_[i]);
        glPopMatrix();
    }
    drawMesh(scene_.structure);
    for (const PlacedMesh& pier : scene_.piers)
        drawPlaced(scene_.pierMesh, pier);
    for (std::size_t i = 0; i < scene_.helices.size(); ++i)
        if (helixMeshOf_[i])
            drawPlaced(*helixMeshOf_[i], scene_.helices[i].at);
    drawLines();

    // Track lies over coplanar ground and decks.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1, -1);
    drawPieces(scene_.pieces, pieceMeshOf_);
    glDisable(GL_POLYGON_OFFSET_FILL);
    drawPieces(scene_.hills, hillMeshOf_);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    ++framesDrawn_;
}

void TrackGLCanvas::drawPieces(const std::vector<PieceInstance>& pieces,
                               const std::vector<const Mesh3D*>& meshes) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const PieceInstance& p = pieces[i];
        const Mesh3D* mesh = meshes[i];
        if (!mesh || mesh->empty())
            continue;
        glPushMatrix();
        glTranslated(p.position.x, p.position.y, p.position.z);
        glRotated(p.rotation, 0, 0, 1);
        glRotated(drawnTilt(p), 0, 1, 0);
        glScaled(1, -1, 1); // piece meshes are built in plan coordinates
        drawMesh(*mesh);
        glPopMatrix();
    }
}

void TrackGLCanvas::drawPlaced(const Mesh3D& mesh, const PlacedMesh& at) {
    glPushMatrix();
    glTranslated(at.position.x, at.position.y, at.position.z);
    glRotated(at.rotation, 0, 0, 1);
    if (at.stretch != 1)
        glScaled(1, 1, at.stretch);
    drawMesh(mesh);
    glPopMatrix();
}

void TrackGLCanvas::drawGroundAndAxes() {
    glDisable(GL_LIGHTING);
    glLineWidth(1);
    glColor3f(0.22f, 0.24f, 0.22f);
    glBegin(GL_LINES);
    for (double v = -kGridExtent; v <= kGridExtent + 1e-9; v += kGridStep) {
        glVertex3d(v, -kGridExtent, -0.5);
        glVertex3d(v, kGridExtent, -0.5);
        glVertex3d(-kGridExtent, v, -0.5);
        glVertex3d(kGridExtent, v, -0.5);
    }
    glEnd();
    glLineWidth(2);
    glBegin(GL_LINES);
    glColor3f(0.45f, 0.18f, 0.18f);
    glVertex3d(0, -kGridExtent, -0.3);
    glVertex3d(0, kGridExtent, -0.3);
    glColor3f(0.18f, 0.45f, 0.18f);
    glVertex3d(-kGridExtent, 0, -0.3);
    glVertex3d(kGridExtent, 0, -0.3);
    glEnd();
    glEnable(GL_LIGHTING);
    glLineWidth(1);
}

void TrackGLCanvas::drawLines() {
    if (scene_.lines.empty())
        return;
    glDisable(GL_LIGHTING);
    glLineWidth(2);
    glBegin(GL_LINES);
    for (const LineSegment& line : scene_.lines) {
        glColor3f(line.color.r, line.color.g, line.color.b);
        glVertex3d(line.a.x, line.a.y, line.a.z);
        glVertex3d(line.b.x, line.b.y, line.b.z);
    }
    glEnd();
    glEnable(GL_LIGHTING);
    glLineWidth(1);
}

void TrackGLCanvas::onMouseDown(wxMouseEvent& event) {
    camera_.press(event.GetX(), event.GetY(), event.LeftIsDown(), event.RightIsDown());
    if (!HasCapture())
        CaptureMouse();
    SetFocus();
}

void TrackGLCanvas::onMouseUp(wxMouseEvent&) {
    camera_.release();
    if (HasCapture())
        ReleaseMouse();
}

void TrackGLCanvas::onMotion(wxMouseEvent& event) {
    if (camera_.drag(event.GetX(), event.GetY()))
        Refresh(false);
}

void TrackGLCanvas::onWheel(wxMouseEvent& event) {
    camera_.wheel(event.GetWheelRotation());
    Refresh(false);
}

void TrackGLCanvas::onKey(wxKeyEvent& event) {
    if (!cameraKey(event))
        event.Skip();
}

bool TrackGLCanvas::cameraKey(const wxKeyEvent& event) {
    const std::optional<CameraKey> key = cameraKeyOf(event.GetKeyCode());
    if (!key || event.HasModifiers())
        return false;
    camera_.key(*key);
    Refresh(false);
    return true;
}

} // namespace plandor
