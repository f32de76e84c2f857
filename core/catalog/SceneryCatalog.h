#pragma once
// Built-in scenery definitions: footprints and the flat drawing lists the plan draws.

#include "core/base/Color.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace plandor {

enum SceneryCategory : uint32_t {
    Platforms = 0,
    Buildings = 1,
    Stations = 2,
    Signals = 3,
    Bridges = 4,
    Tunnels = 5,
    Roads = 6,
    Nature = 7,
    Vehicles = 8,
    Special = 9,
};

// Palette name of a category code; "Other" for codes without one.
std::string sceneryCategoryName(uint32_t category);

enum class PrimitiveType : uint8_t {
    FilledRect = 0,
    FilledEllipse = 1,
    Polygon = 2,
    OutlineRect = 3,
    OutlineEllipse = 4,
    Line = 5,
    Text = 6,
};

// One flat shape in footprint coordinates (mm from the footprint's top-left, y down).
struct SceneryPrimitive {
    PrimitiveType type = PrimitiveType::FilledRect;
    Color fill = kNoColor;
    Color stroke = kNoColor;
    uint32_t strokeWidth = 0;
    double x = 0, y = 0, w = 0, h = 0; // box; line end points (x, y)-(w, h); text anchor and size h
    std::vector<std::pair<double, double>> points;
    std::string text;
};

struct SceneryDef {
    std::string id;
    std::string name;
    uint32_t category = 0;
    double width = 0;
    double depth = 0;
    std::vector<SceneryPrimitive> primitives;
    bool zScale = false; // a Z-Track item (the palette lists Z-scale signals for Z-Track only)
};

class SceneryCatalog {
  public:
    static const SceneryCatalog& instance();

    const SceneryDef* find(const std::string& id) const;
    const std::vector<SceneryDef>& defs() const { return defs_; }

  private:
    SceneryCatalog();
    void add(SceneryDef def);

    std::vector<SceneryDef> defs_;
    std::unordered_map<std::string, int> indexById_;
};

} // namespace plandor
