#include "model/LayoutFile.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace plandor {
namespace {

double libraryValue(std::string_view text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// Whatever the writer produces reads back as the very value the library conversion gives,
// bit for bit, including signed zeros.
TEST(NumberTextTest, WrittenDecimalsReadAsTheLibraryReadsThem) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-1e9, 1e9);
    std::uniform_real_distribution<double> small(-10, 10);
    for (int i = 0; i < 200000; ++i) {
        char text[64];
        const double v = i % 2 ? any(random) : small(random);
        const std::string_view written(text, std::size_t(writeFixed4(text, v) - text));
        const std::optional<double> read = readReal(written);
        ASSERT_TRUE(read) << written;
        const double expected = libraryValue(written);
        ASSERT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << written;
    }
}

TEST(NumberTextTest, OtherSpellingsFollowTheLibrary) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.", 1.0},          {".5", 0.5},       {"-.5", -0.5},       {"+2.25", 2.25},
        {"  3", 3.0},         {"1.2.3", 1.2},    {"7abc", 7.0},       {"1e3", 1000.0},
        {"2E-2", 0.02},       {"0x10", 0.0},     {"0.12345678901234567", 0.12345678901234567},
        {"-0.0000", -0.0},    {".", std::nullopt}, {"-", std::nullopt}, {"", std::nullopt},
        {"nan", std::nullopt}, {"inf", std::nullopt}, {"--1", std::nullopt},
        {"1000000001", std::nullopt}, // beyond any size a layout can hold
    };
    for (const Case& c : cases) {
        const std::optional<double> read = readReal(c.text);
        ASSERT_EQ(read.has_value(), c.value.has_value()) << c.text;
        if (read) {
            EXPECT_EQ(*read, *c.value) << c.text;
            EXPECT_EQ(std::signbit(*read), std::signbit(*c.value)) << c.text;
        }
    }
}

} // namespace
} // namespace plandor
