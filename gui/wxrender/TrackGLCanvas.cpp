#include "gui/wxrender/TrackGLCanvas.h"
#include "core/render/RenderColors.h"
#include "gui/wxrender/BaseboardTessellator.h"

#include <wx/dcclient.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <string_view>

namespace plandor {

namespace {

constexpr double kGridExtent = 3500;
constexpr double kGridStep = 100;
constexpr double kFieldOfView = 40; // degrees, from the bottom of the picture to the top
// GL_CONTEXT_PROFILE_MASK and GL_CONTEXT_CORE_PROFILE_BIT, missing from older headers.
constexpr GLenum kContextProfileMask = 0x9126;
constexpr GLint kCoreProfileBit = 0x1;

wxGLAttributes canvasAttributes() {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
    return attrs;
}

// A hash of every array of the mesh: two meshes alike to the byte draw alike.
uint64_t contentHash(const Mesh3D& mesh) {
    uint64_t h = 14695981039346656037ull;
    auto add = [&h](const void* data, std::size_t bytes) {
        const std::string_view raw(static_cast<const char*>(data), bytes);
        h = (h ^ std::hash<std::string_view>{}(raw)) * 1099511628211ull;
        h = (h ^ bytes) * 1099511628211ull;
    };
    add(mesh.positions.data(), mesh.positions.size() * sizeof(float));
    add(mesh.normals.data(), mesh.normals.size() * sizeof(float));
    add(mesh.colors.data(), mesh.colors.size() * sizeof(float));
    add(mesh.indices.data(), mesh.indices.size() * sizeof(uint32_t));
    return h;
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
    Bind(wxEVT_IDLE, &TrackGLCanvas::onIdle, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { camera_.release(); });
    rebuildScene(layout);
}

TrackGLCanvas::~TrackGLCanvas() {
    if (HasCapture())
        ReleaseMouse();
    forgetLists();
}

void TrackGLCanvas::rebuildScene(const plandor::Layout& layout) {
    pending_.clear(); // the build moves and remakes meshes
    keepListsByContent();
    buildScene(layout, RenderSettings::of(layout), scene_, tessellateOutline);
    dropStaleCellLists();
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
    plainMeshOf_.clear();
    for (const PieceInstance& p : scene_.pieces) {
        pieceMeshOf_.push_back(lookUp(scene_.pieceMeshes, p.part));
        plainMeshOf_.push_back(lookUp(scene_.plainPieceMeshes, p.part));
    }
    std::unordered_map<const Mesh3D*, Ball> balls; // per mesh, in its own frame
    auto ballOf = [&balls](const Mesh3D* mesh) {
        auto it = balls.find(mesh);
        if (it == balls.end())
            it = balls.emplace(mesh, mesh ? boundingBall(*mesh) : Ball{}).first;
        return it->second;
    };
    sceneryMeshOf_.clear();
    farSceneryMeshOf_.clear();
    sceneryBallOf_.clear();
    for (const SceneryInstance& s : scene_.scenery) {
        const Mesh3D* mesh = lookUp(scene_.sceneryMeshes, s.type);
        const Ball local = ballOf(mesh);
        const Vec3 lifted{s.position.x, s.position.y, s.position.z + sceneryLift(s.type)};
        const Vec3 centre =
            placedPoint(PlacedMesh{lifted, s.rotation, 1},
                        {local.centre.x * s.scaleX, local.centre.y * s.scaleY, local.centre.z});
        const double grow = std::max({std::fabs(s.scaleX), std::fabs(s.scaleY), 1.0});
        sceneryMeshOf_.push_back(mesh);
        farSceneryMeshOf_.push_back(lookUp(scene_.farSceneryMeshes, s.type));
        sceneryBallOf_.push_back({centre, local.radius * grow});
    }
    helixMeshOf_.clear();
    farHelixMeshOf_.clear();
    helixBallOf_.clear();
    for (const HelixInstance& h : scene_.helices) {
        const Mesh3D* mesh = lookUp(scene_.helixMeshes, h.variant);
        const Ball local = ballOf(mesh);
        helixMeshOf_.push_back(mesh);
        farHelixMeshOf_.push_back(lookUp(scene_.farHelixMeshes, h.variant));
        helixBallOf_.push_back({placedPoint(h.at, local.centre), local.radius});
    }
}

void TrackGLCanvas::drawList(const Mesh3D& mesh) {
    if (mesh.empty())
        return;
    auto it = lists_.find(&mesh);
    if (it == lists_.end() && !kept_.empty()) {
        // A mesh the last build drew as well: an edit changes only the cells it touches.
        auto same = kept_.find(contentHash(mesh));
        if (same != kept_.end()) {
            it = lists_.emplace(&mesh, same->second).first;
            kept_.erase(same);
        }
    }
    if (it == lists_.end()) {
        // Compiling costs more than drawing the arrays: the first frame comes sooner when
        // the lists are compiled once it is shown.
        drawMesh(mesh);
        pending_.push_back({&mesh, nullptr, 0});
        return;
    }
    glCallList(it->second);
}

void TrackGLCanvas::drawCellList(const Mesh3D& mesh, std::unordered_map<uint64_t, unsigned>& lists,
                                 uint64_t content) {
    if (mesh.empty())
        return;
    auto it = lists.find(content);
    if (it == lists.end()) {
        drawMesh(mesh);
        pending_.push_back({&mesh, &lists, content});
        return;
    }
    glCallList(it->second);
}

void TrackGLCanvas::onIdle(wxIdleEvent& event) {
    event.Skip();
    // In slices, so that the window answers between them.
    if (!pending_.empty() && !compilePending(8))
        event.RequestMore();
}

bool TrackGLCanvas::compilePending(double budgetMs) {
    if (pending_.empty())
        return true;
    if (!makeCurrent()) {
        // Off screen: the next frame asks again, instead of the idle time spinning.
        pending_.clear();
        return true;
    }
    const auto start = std::chrono::steady_clock::now();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    while (!pending_.empty()) {
        const PendingList next = pending_.back();
        pending_.pop_back();
        const bool made =
            next.cellLists ? next.cellLists->count(next.content) > 0 : lists_.count(next.mesh) > 0;
        if (made)
            continue;
        const GLuint list = glGenLists(1);
        if (list == 0) // no room for lists: the arrays are drawn
            continue;
        glNewList(list, GL_COMPILE);
        drawMesh(*next.mesh);
        glEndList();
        if (next.cellLists)
            next.cellLists->emplace(next.content, list);
        else
            lists_.emplace(next.mesh, list);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        if (spent.count() >= budgetMs)
            break;
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    return pending_.empty();
}

bool TrackGLCanvas::deleteLists(const std::vector<unsigned>& lists) {
    if (lists.empty())
        return true;
    if (!context_ || !IsShownOnScreen() || !SetCurrent(*context_))
        return false;
    for (unsigned list : lists)
        glDeleteLists(list, 1);
    return true;
}

void TrackGLCanvas::forgetLists() {
    pending_.clear();
    dropKeptLists();
    std::vector<unsigned> all;
    all.swap(unused_);
    for (const auto& [mesh, list] : lists_)
        all.push_back(list);
    for (auto* cells : {&plainLists_, &fixedLists_, &farTrackLists_, &farFixedLists_}) {
        for (const auto& [content, list] : *cells)
            all.push_back(list);
        cells->clear();
    }
    deleteLists(all); // without the context the lists go with it
    lists_.clear();
}

void TrackGLCanvas::keepListsByContent() {
    dropKeptLists();
    // The shared meshes outlive the build; the baseboard and the raised shapes are made anew.
    for (const Mesh3D* mesh : {&scene_.baseboard, &scene_.structure}) {
        auto it = lists_.find(mesh);
        if (it == lists_.end())
            continue;
        kept_.emplace(contentHash(*mesh), it->second);
        lists_.erase(it);
    }
}

void TrackGLCanvas::dropStaleCellLists() {
    for (auto* lists : {&plainLists_, &fixedLists_, &farTrackLists_, &farFixedLists_}) {
        std::unordered_map<uint64_t, unsigned> kept;
        for (const SceneCell& cell : scene_.cells)
            if (auto it = lists->find(cell.content); it != lists->end()) {
                kept.insert(*it);
                lists->erase(it);
            }
        for (const auto& [content, list] : *lists)
            unused_.push_back(list);
        lists->swap(kept);
    }
    // Where the context cannot be made current now, the next frame deletes them.
    if (deleteLists(unused_))
        unused_.clear();
}

void TrackGLCanvas::dropKeptLists() {
    if (kept_.empty())
        return;
    if (context_ && IsShownOnScreen() && SetCurrent(*context_))
        for (const auto& [hash, list] : kept_)
            glDeleteLists(list, 1);
    kept_.clear();
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
    const Rgb backdrop = rgbOf(kPlanColors.backdrop3D);
    glClearColor(backdrop.r, backdrop.g, backdrop.b, 1);
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
    }
    const int height = std::max(1, size.y);
    const auto [nearPlane, farPlane] = camera_.clipRange(gridReach());
    const std::array<double, 16> projection = perspective(
        kFieldOfView, static_cast<double>(std::max(1, size.x)) / height, nearPlane, farPlane);
    const std::array<double, 16> modelView = camera_.modelView();
    if (size.x >= 1 && size.y >= 1) {
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixd(projection.data());
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixd(modelView.data());
    }
    const ViewVolume volume(projection, modelView);
    const Vec3 eye = camera_.eye();
    const TrackDetailRange detail(kFieldOfView, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pending_.clear(); // what this frame draws from its arrays
    drawGroundAndAxes();

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    drawList(scene_.baseboard);
    drawScenery(volume, eye, detail);
    drawList(scene_.structure);
    drawCellsFixed(volume, eye, detail);
    for (std::size_t i = 0; i < scene_.helices.size(); ++i) {
        const Ball& ball = helixBallOf_[i];
        if (!helixMeshOf_[i] || !volume.sees(ball))
            continue;
        const bool seenFar =
            detail.isFar(length(ball.centre - eye) - ball.radius) && farHelixMeshOf_[i];
        drawPlaced(seenFar ? *farHelixMeshOf_[i] : *helixMeshOf_[i], scene_.helices[i].at);
    }
    drawLines();

    // Track lies over coplanar ground and decks.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1, -1);
    drawTrack(volume, eye, detail);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // What the first frame after a build did not claim is gone from the scene, or out of
    // the picture and compiled again when it comes back.
    for (const auto& [hash, list] : kept_)
        glDeleteLists(list, 1);
    kept_.clear();
    for (unsigned list : unused_)
        glDeleteLists(list, 1);
    unused_.clear();
    ++framesDrawn_;
}

void TrackGLCanvas::drawScenery(const ViewVolume& volume, Vec3 eye,
                                const TrackDetailRange& detail) {
    for (std::size_t i = 0; i < scene_.scenery.size(); ++i) {
        const SceneryInstance& s = scene_.scenery[i];
        const Ball& ball = sceneryBallOf_[i];
        if (!sceneryMeshOf_[i] || !volume.sees(ball))
            continue;
        // A stretched item strays as much farther from its simplified mesh.
        const bool seenFar = farSceneryMeshOf_[i] &&
                             detail.isFar(length(ball.centre - eye) - ball.radius,
                                          std::max(std::fabs(s.scaleX), std::fabs(s.scaleY)));
        glPushMatrix();
        glTranslated(s.position.x, s.position.y, s.position.z + sceneryLift(s.type));
        glRotated(s.rotation, 0, 0, 1);
        if (s.scaleX != 1 || s.scaleY != 1)
            glScaled(s.scaleX, s.scaleY, 1);
        drawList(seenFar ? *farSceneryMeshOf_[i] : *sceneryMeshOf_[i]);
        glPopMatrix();
    }
}

void TrackGLCanvas::drawCellsFixed(const ViewVolume& volume, Vec3 eye,
                                   const TrackDetailRange& detail) {
    for (SceneCell& cell : scene_.cells)
        if (cell.hasFixed() && volume.sees(cell.bounds))
            drawCell(cell,
                     detail.isFar(distanceTo(cell.bounds, eye)) ? TrackDetail::Far
                                                                : TrackDetail::Plain,
                     true);
}

void TrackGLCanvas::drawCell(SceneCell& cell, TrackDetail level, bool fixed) {
    const bool seenFar = level == TrackDetail::Far;
    auto& lists =
        fixed ? (seenFar ? farFixedLists_ : fixedLists_) : (seenFar ? farTrackLists_ : plainLists_);
    if (lists.count(cell.content) == 0)
        placeCellMeshes(scene_, cell, level);
    const Mesh3D& mesh = fixed ? (seenFar ? cell.farFixed : cell.fixed)
                               : (seenFar ? cell.farTrack : cell.plainTrack);
    drawCellList(mesh, lists, cell.content);
}

// A cell wholly beyond the reach of track detail is one batch, plain or, farther, simplified;
// nearer, each piece in view is drawn with the detail its distance allows.
void TrackGLCanvas::drawTrack(const ViewVolume& volume, Vec3 eye, const TrackDetailRange& detail) {
    trackDrawn_ = {};
    for (SceneCell& cell : scene_.cells) {
        if (!volume.sees(cell.bounds)) {
            ++trackDrawn_.culled;
            continue;
        }
        const TrackDetail level = detail.at(distanceTo(cell.bounds, eye));
        if (level != TrackDetail::Full) {
            drawCell(cell, level, false);
            ++trackDrawn_.batches;
            trackDrawn_.farBatches += level == TrackDetail::Far;
            continue;
        }
        for (std::size_t k = 0; k < cell.pieces.size(); ++k) {
            const Ball& ball = cell.balls[k];
            if (!volume.sees(ball))
                continue;
            const uint32_t i = cell.pieces[k];
            const bool full = detail.full(length(ball.centre - eye) - ball.radius);
            const Mesh3D* mesh = full ? pieceMeshOf_[i] : plainMeshOf_[i];
            if (!mesh)
                continue;
            drawPiece(scene_.pieces[i], *mesh);
            ++(full ? trackDrawn_.detailed : trackDrawn_.plain);
        }
    }
}

void TrackGLCanvas::drawPiece(const PieceInstance& p, const Mesh3D& mesh) {
    glPushMatrix();
    glTranslated(p.position.x, p.position.y, p.position.z);
    glRotated(p.rotation, 0, 0, 1);
    glRotated(drawnTilt(p), 0, 1, 0);
    glScaled(1, -1, 1); // piece meshes are built in plan coordinates
    drawList(mesh);
    glPopMatrix();
}

void TrackGLCanvas::drawPlaced(const Mesh3D& mesh, const PlacedMesh& at) {
    glPushMatrix();
    glTranslated(at.position.x, at.position.y, at.position.z);
    glRotated(at.rotation, 0, 0, 1);
    if (at.stretch != 1)
        glScaled(1, 1, at.stretch);
    drawList(mesh);
    glPopMatrix();
}

void TrackGLCanvas::drawGroundAndAxes() {
    glDisable(GL_LIGHTING);
    glLineWidth(1);
    const auto colour = [](Color c) {
        const Rgb rgb = rgbOf(c);
        glColor3f(rgb.r, rgb.g, rgb.b);
    };
    colour(kPlanColors.groundGrid3D);
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
    colour(kPlanColors.axisX3D);
    glVertex3d(0, -kGridExtent, -0.3);
    glVertex3d(0, kGridExtent, -0.3);
    colour(kPlanColors.axisY3D);
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
