#pragma once
// The built-in track catalogue: every piece of every track system, with the
// connector geometry that placing, snapping, drawing and counting derive from.

#include "core/base/Geometry.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace plandor {

// Track system codes as stored in piece definitions.
enum TrackSystem : uint32_t {
    CTrack = 0,
    KTrack = 1,
    ZTrack = 2,
    TrixCTrack = 3,
    RokuhanZ = 4,
    MinitrixN = 5,
    KatoN = 6,
};

enum class PieceKind : uint32_t {
    Straight = 0,
    Curve = 1,
    TurnoutLeft = 2,
    TurnoutRight = 3,
    CurvedTurnout = 4,
    DoubleSlip = 5,
    Bumper = 6,
    Unassigned7 = 7,
    Crossing = 8,
    Unassigned9 = 9,
    Turntable = 10,
    OffsetCurvedTurnout = 11,
};

struct ConnectorDef {
    double x = 0;
    double y = 0;
    double heading = 0;
    bool joinable = true;
    uint32_t index = 0;
};

struct PieceDef {
    std::string partNumber;
    std::string description;
    uint32_t system = CTrack;
    PieceKind kind = PieceKind::Straight;
    double length = 0;
    double radius = 0;
    double angle = 0;
    std::vector<ConnectorDef> connectors;
    bool isBridge = false;
    bool isPaired = false;
    bool isRamp = false;
    std::vector<uint32_t> connectorSystems;

    // Track system of connector c: the per-connector override when present.
    uint32_t connectorSystem(int c) const;
};

// Connector c of a piece placed at `placed`, in layout coordinates.
Pose worldConnector(const Pose& placed, const PieceDef& def, int c);

// The pose a piece must take so that its connector c mates head-on with the
// connector pose (tx, ty, th). An invalid connector number gives (0, 0, 0).
Pose poseForMate(const PieceDef& def, int c, double tx, double ty, double th);

// Names of a track system as shown in the palette chooser ("Unknown" when it has none),
// its library folder and its short name for the properties panel.
std::string systemChooserLabel(uint32_t system);
std::string systemShortName(uint32_t system);
// Library sub-folder for a chooser label ("Minitrix" -> "Minitrix-Track", others: blanks to '_').
std::string libraryFolderForLabel(const std::string& label);

class TrackCatalog {
  public:
    static const TrackCatalog& instance();

    const PieceDef* find(const std::string& partNumber) const;
    const PieceDef* at(int index) const;
    int count() const { return static_cast<int>(pieces_.size()); }
    const std::vector<PieceDef>& pieces() const { return pieces_; }

    static PieceDef makeStraight(uint32_t system, const std::string& part,
                                 const std::string& description, double length);
    static PieceDef makeCurve(uint32_t system, const std::string& part,
                              const std::string& description, double radius, double angle);
    static PieceDef makeTurnout(uint32_t system, const std::string& part,
                                const std::string& description, PieceKind kind, double length,
                                double radius, double angle);
    static PieceDef makeBumper(uint32_t system, const std::string& part,
                               const std::string& description, double length);
    static PieceDef makeTurntable(uint32_t system, const std::string& part,
                                  const std::string& description);

    // Appends a definition; a repeated part number resolves to the newest one.
    void registerPiece(PieceDef def);

    // An empty catalogue (tests build their own); instance() holds the built-in rows.
    TrackCatalog() = default;

  private:
    void registerBuiltInRows();

    std::vector<PieceDef> pieces_;
    std::unordered_map<std::string, int> indexByPart_;
    bool built_ = false;
};

} // namespace plandor
