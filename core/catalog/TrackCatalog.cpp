#include "core/catalog/TrackCatalog.h"
#include "core/base/Geometry.h"

#include <algorithm>
#include <cmath>

namespace plandor {

namespace {
double toRadians(double deg) {
    return deg * kPi / 180.0;
}
} // namespace

double normalizeHeading(double degrees) {
    if (!std::isfinite(degrees))
        return 0.0;
    double h = std::fmod(degrees, 360.0);
    if (h < 0)
        h += 360.0;
    // fmod of a value just below 0 can round up to exactly 360.
    if (h >= 360.0)
        h -= 360.0;
    return h;
}

uint32_t PieceDef::connectorSystem(int c) const {
    if (c >= 0 && c < static_cast<int>(connectorSystems.size()))
        return connectorSystems[c];
    return system;
}

Pose worldConnector(const Pose& placed, const PieceDef& def, int c) {
    if (c < 0 || c >= static_cast<int>(def.connectors.size()))
        return Pose{placed.x, placed.y, normalizeHeading(placed.heading)};
    const ConnectorDef& cd = def.connectors[c];
    const double t = toRadians(placed.heading);
    const double cs = std::cos(t), sn = std::sin(t);
    return Pose{placed.x + cd.x * cs - cd.y * sn, placed.y + cd.x * sn + cd.y * cs,
                normalizeHeading(placed.heading + cd.heading)};
}

Pose poseForMate(const PieceDef& def, int c, double tx, double ty, double th) {
    if (c < 0 || c >= static_cast<int>(def.connectors.size()))
        return Pose{0, 0, 0};
    const ConnectorDef& cd = def.connectors[c];
    const double h = normalizeHeading(normalizeHeading(th + 180.0) - cd.heading);
    const double t = toRadians(h);
    const double cs = std::cos(t), sn = std::sin(t);
    return Pose{tx - (cd.x * cs - cd.y * sn), ty - (cd.x * sn + cd.y * cs), h};
}

PieceDef TrackCatalog::makeStraight(uint32_t system, const std::string& part,
                                    const std::string& description, double length) {
    PieceDef d;
    d.partNumber = part;
    d.description = description;
    d.system = system;
    d.kind = PieceKind::Straight;
    d.length = length;
    d.connectors = {{0, 0, 180, true, 0}, {length, 0, 0, true, 1}};
    return d;
}

PieceDef TrackCatalog::makeCurve(uint32_t system, const std::string& part,
                                 const std::string& description, double radius, double angle) {
    PieceDef d;
    d.partNumber = part;
    d.description = description;
    d.system = system;
    d.kind = PieceKind::Curve;
    const double a = toRadians(angle);
    d.length = a * radius;
    d.radius = radius;
    d.angle = angle;
    d.connectors = {{0, 0, 180, true, 0},
                    {radius * std::sin(a), radius * (1 - std::cos(a)), angle, true, 1}};
    return d;
}

PieceDef TrackCatalog::makeTurnout(uint32_t system, const std::string& part,
                                   const std::string& description, PieceKind kind, double length,
                                   double radius, double angle) {
    PieceDef d;
    d.partNumber = part;
    d.description = description;
    d.system = system;
    d.kind = kind;
    const double absAngle = std::fabs(angle);
    const double dx = std::min(length, radius * std::sin(toRadians(absAngle)));
    const double s = std::min(1.0, dx / radius);
    const double b = std::asin(s) * 180.0 / kPi;
    const double e = (1 - std::cos(std::asin(s))) * radius;
    const bool left = kind == PieceKind::TurnoutLeft;
    d.length = length;
    d.radius = radius;
    d.angle = left ? -absAngle : absAngle;
    d.connectors = {{0, 0, 180, true, 0},
                    {length, 0, 0, true, 1},
                    {dx, left ? -e : e, normalizeHeading(left ? 360 - b : b), true, 2}};
    return d;
}

PieceDef TrackCatalog::makeBumper(uint32_t system, const std::string& part,
                                  const std::string& description, double length) {
    PieceDef d;
    d.partNumber = part;
    d.description = description;
    d.system = system;
    d.kind = PieceKind::Bumper;
    d.length = length;
    d.connectors = {{0, 0, 180, true, 0}};
    return d;
}

PieceDef TrackCatalog::makeTurntable(uint32_t system, const std::string& part,
                                     const std::string& description) {
    PieceDef d;
    d.partNumber = part;
    d.description = description;
    d.system = system;
    d.kind = PieceKind::Turntable;
    d.length = 378;
    d.radius = 139;
    d.angle = 12;
    for (uint32_t i = 0; i < 30; ++i) {
        const double a = toRadians(12.0 * i);
        d.connectors.push_back({139 * std::cos(a), 139 * std::sin(a), 12.0 * i, true, i});
    }
    return d;
}

void TrackCatalog::registerPiece(PieceDef def) {
    indexByPart_[def.partNumber] = count();
    pieces_.push_back(std::move(def));
}

const TrackCatalog& TrackCatalog::instance() {
    static TrackCatalog* catalog = [] {
        auto* c = new TrackCatalog();
        c->registerBuiltInRows();
        return c;
    }();
    return *catalog;
}

const PieceDef* TrackCatalog::find(const std::string& partNumber) const {
    auto it = indexByPart_.find(partNumber);
    return it == indexByPart_.end() ? nullptr : &pieces_[it->second];
}

const PieceDef* TrackCatalog::at(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return &pieces_[index];
}

std::string systemChooserLabel(uint32_t system) {
    switch (system) {
    case CTrack:
        return "Marklin C-Track";
    case KTrack:
        return "Marklin K-Track";
    case ZTrack:
        return "Marklin Z-Track";
    case TrixCTrack:
        return "TRIX C-Track";
    default:
        return "Unknown";
    }
}

std::string systemShortName(uint32_t system) {
    switch (system) {
    case CTrack:
        return "M\xC3\xA4rklin C";
    case KTrack:
        return "M\xC3\xA4rklin K";
    case ZTrack:
        return "M\xC3\xA4rklin Z";
    case TrixCTrack:
        return "TRIX C";
    case RokuhanZ:
        return "Rokuhan Z";
    case MinitrixN:
        return "Minitrix N";
    case KatoN:
        return "Kato N";
    default:
        return "Unknown";
    }
}

std::string libraryFolderForLabel(const std::string& label) {
    if (label == "Marklin C-Track")
        return "Marklin_C-Track";
    if (label == "Marklin K-Track")
        return "Marklin_K-Track";
    if (label == "Marklin Z-Track")
        return "Marklin_Z-Track";
    if (label == "TRIX C-Track")
        return "TRIX_C-Track";
    if (label == "Minitrix")
        return "Minitrix-Track";
    std::string folder = label;
    std::replace(folder.begin(), folder.end(), ' ', '_');
    return folder;
}

} // namespace plandor
