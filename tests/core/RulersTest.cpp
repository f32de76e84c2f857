#include "editing/Rulers.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plandor;

namespace {

struct SpacingCase {
    const char* name;
    uint32_t units;
    double scale;
    double spacing;
};

TEST(RulerSpacing, FirstTableEntryOfAtLeast60Pixels) {
    const double inchEdge = 60 / (0.25 * 25.4); // 0.25 in is exactly 60 px
    const SpacingCase cases[] = {
        {"mm_20_at_60px", 0, 3.0, 20},
        {"mm_just_short_of_60px", 0, 2.999, 50},
        {"mm_default_view", 0, 0.4, 200},
        {"mm_smallest_entry", 0, 60, 1},
        {"mm_none_reaches_60_last_entry", 0, 0.05, 500},
        {"cm_half_at_60px", 1, 12.0, 0.5},
        {"cm_just_short", 1, 11.999, 1},
        {"cm_default_view", 1, 0.4, 20},
        {"cm_last_entry", 1, 0.01, 200},
        {"in_quarter_at_edge", 2, inchEdge * 1.000001, 0.25},
        {"in_quarter_just_short", 2, inchEdge * 0.999999, 0.5},
        {"in_three_inches", 2, 60 / (3 * 25.4) * 1.000001, 3},
        {"in_just_short_of_three", 2, 60 / (3 * 25.4) * 0.999999, 6},
        {"in_last_entry", 2, 0.01, 192},
    };
    for (const SpacingCase& c : cases)
        EXPECT_DOUBLE_EQ(rulerSpacing(c.units, c.scale), c.spacing) << c.name;
}

TEST(RulerLabel, WholeNumbersAndHalfInches) {
    const struct {
        double value;
        uint32_t units;
        const char* text;
    } cases[] = {
        {200, 0, "200"},  {-400, 0, "-400"},   {0, 0, "0"},       {-0.0, 0, "0"},
        {20, 1, "20"},    {1, 2, "1\""},       {1.5, 2, "1.5\""}, {0.25, 2, "0.5\""},
        {0.75, 2, "1\""}, {-0.5, 2, "-0.5\""}, {12, 2, "12\""},   {0, 2, "0\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rulerLabel(c.value, c.units), c.text) << c.value << " " << c.units;
}

TEST(RulerTicks, MultiplesOfTheSpacingFrom20PixelsOn) {
    // Default view: 200 mm = 80 px, origin at 60.
    const Rulers r = computeRulers(ViewTransform{0.4, 60, 60}, 0, 800, 300);
    EXPECT_DOUBLE_EQ(r.spacing, 200);
    ASSERT_EQ(r.top.size(), 10u);
    EXPECT_EQ(r.top.front().position, 60);
    EXPECT_EQ(r.top.front().label, "0");
    EXPECT_EQ(r.top[1].position, 140);
    EXPECT_EQ(r.top[1].label, "200");
    EXPECT_EQ(r.top.back().position, 780);
    EXPECT_EQ(r.top.back().label, "1800");
    ASSERT_EQ(r.left.size(), 3u); // 60, 140, 220 below a height of 300
    EXPECT_EQ(r.left.back().position, 220);
    EXPECT_TRUE(r.originOnTop);
    EXPECT_EQ(r.originX, 60);
}

TEST(RulerTicks, TickAt20IsKeptAt19Dropped) {
    const Rulers at20 = computeRulers(ViewTransform{0.4, 100, 99}, 0, 400, 400);
    ASSERT_FALSE(at20.top.empty());
    EXPECT_EQ(at20.top.front().position, 20);
    EXPECT_EQ(at20.top.front().label, "-200");
    EXPECT_EQ(at20.left.front().position, 99); // 19 is under the corner
    EXPECT_EQ(at20.left.front().label, "0");
}

TEST(RulerTicks, InchLabelsInDisplayUnits) {
    // 1 in = 25.4 px at scale 1: 3 in is the first entry of at least 60 px.
    const Rulers r = computeRulers(ViewTransform{1.0, 20, 20}, 2, 300, 100);
    EXPECT_DOUBLE_EQ(r.spacing, 3);
    ASSERT_GE(r.top.size(), 3u);
    EXPECT_EQ(r.top[0].label, "0\"");
    EXPECT_EQ(r.top[1].label, "3\"");
    EXPECT_EQ(r.top[1].position, 20 + 76);
}

TEST(RulerOrigin, MarkedOnlyInsideTheVisibleRuler) {
    EXPECT_FALSE(computeRulers(ViewTransform{1, 19, 500}, 0, 400, 400).originOnTop);
    EXPECT_TRUE(computeRulers(ViewTransform{1, 20, 500}, 0, 400, 400).originOnTop);
    EXPECT_FALSE(computeRulers(ViewTransform{1, 400, 500}, 0, 400, 400).originOnTop);
    EXPECT_FALSE(computeRulers(ViewTransform{1, 20, 500}, 0, 400, 400).originOnLeft);
    EXPECT_TRUE(computeRulers(ViewTransform{1, 20, 399}, 0, 400, 400).originOnLeft);
}

TEST(RulerTicks, FarZoomedOutStaysBounded) {
    const Rulers r = computeRulers(ViewTransform{1e-6, 0, 0}, 0, 1920, 1080);
    EXPECT_TRUE(r.top.empty());
    EXPECT_TRUE(r.left.empty());
}

// Records every call as one line of text.
class RecordingPainter : public Painter {
  public:
    std::vector<std::string> calls;

    void setPen(const Pen& p) override { add("pen", p.color, p.width); }
    void setBrush(const Brush& b) override { add("brush", b.color, b.transparent); }
    void setFont(const Font& f) override {
        log() << "font " << f.pointSize << (f.bold ? " bold" : "");
    }
    void setTextColor(const Color& c) override { add("textColor", c, 0); }
    void setTextBackground(const Color&, bool opaque) override {
        log() << "textBackground " << (opaque ? "opaque" : "transparent");
    }
    void clear(const Color&) override { log() << "clear"; }
    void drawPolygon(const std::vector<ScreenPoint>&) override { log() << "polygon"; }
    void drawLine(ScreenPoint a, ScreenPoint b) override {
        log() << "line " << a.x << "," << a.y << " " << b.x << "," << b.y;
    }
    void drawRectangle(int x, int y, int w, int h) override {
        log() << "rect " << x << "," << y << " " << w << "x" << h;
    }
    void drawRoundedRectangle(int, int, int, int, double) override { log() << "rrect"; }
    void drawCircle(ScreenPoint, int) override { log() << "circle"; }
    void drawEllipticArc(int, int, int, int, double, double) override { log() << "arc"; }
    void drawText(const std::string& t, int x, int y) override {
        log() << "text '" << t << "' " << x << "," << y;
    }
    TextExtent textExtent(const std::string& t) override {
        return TextExtent{static_cast<int>(t.size()) * 6, 10};
    }

  private:
    struct Line {
        std::vector<std::string>& out;
        std::ostringstream s;
        ~Line() { out.push_back(s.str()); }
        template <class T> Line& operator<<(const T& v) {
            s << v;
            return *this;
        }
    };
    Line log() { return Line{calls, {}}; }
    void add(const char* what, const Color& c, int extra) {
        log() << what << " " << int(c.r) << "," << int(c.g) << "," << int(c.b) << " " << extra;
    }
};

TEST(RulerDrawing, StripsTicksLabelsAndOriginInOrder) {
    Rulers r;
    r.top = {{60, "0"}};
    r.left = {{140, "200"}};
    r.originOnTop = true;
    r.originX = 60;
    r.originOnLeft = false;
    RecordingPainter p;
    drawRulers(p, r, 800, 600);
    const std::vector<std::string> expected = {
        "pen 180,180,180 1",
        "brush 240,240,240 0",
        "rect 0,0 800x20",
        "rect 0,0 20x600",
        "rect 0,0 20x20",
        "pen 140,140,140 1",
        "font 7",
        "textColor 80,80,80 0",
        "textBackground transparent",
        "line 60,14 60,20",
        "text '0' 62,2",
        "line 14,140 20,140",
        "text '200' 1,141",
        "pen 200,80,80 1",
        "line 60,0 60,20",
    };
    EXPECT_EQ(p.calls, expected);
}

} // namespace
