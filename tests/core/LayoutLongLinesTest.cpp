// Lines longer than the reader's 1 MB block, anywhere in a layout file: the file reads as it
// would without them. Such a line once made the reader look at the piece section's opening
// line after the block holding it had been moved or freed.
#include "TempFolder.h"

#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

const std::string kGolden = std::string(PLANDOR_TEST_DATA) + "/layout_all_sections.plo";

constexpr std::size_t kMB = 1 << 20;

std::vector<std::string> goldenLines() {
    std::ifstream in(kGolden, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// What the golden file reads as, written out again.
std::string expectedText() {
    Layout layout;
    std::string name;
    EXPECT_EQ(loadLayout(layout, kGolden, name), "");
    return layoutFileText(layout, name);
}

// An element the reader does not know, on a line of its own.
std::string unknownLine(std::size_t bytes) {
    const std::string head = "    <note text=\"", tail = "\"/>";
    return head + std::string(bytes - head.size() - tail.size(), 'x') + tail;
}

// The element on the line with an attribute the reader does not know, the line `bytes` long.
std::string padded(const std::string& line, std::size_t bytes) {
    const std::size_t end = line.size() - (line.compare(line.size() - 2, 2, "/>") == 0 ? 2 : 1);
    const std::string head = " pad=\"", tail = "\"";
    const std::size_t fill = bytes - line.size() - head.size() - tail.size();
    return line.substr(0, end) + head + std::string(fill, 'p') + tail + line.substr(end);
}

bool hasAttributes(const std::string& line) {
    return line.find("=\"") != std::string::npos && line.find("<?xml") == std::string::npos;
}

class LongLines : public ::testing::Test {
  protected:
    void SetUp() override { dir = tempFolder(); }
    void TearDown() override { fs::remove_all(dir); }

    // Writes the lines and reads them back; the result must be the golden layout.
    void expectReadsAsGolden(const std::vector<std::string>& lines, const std::string& what) {
        SCOPED_TRACE(what);
        const std::string path = dir + "/long.plo";
        {
            std::ofstream out(path, std::ios::binary);
            for (const std::string& l : lines)
                out << l << '\n';
        }
        Layout layout;
        std::string name;
        ASSERT_EQ(loadLayout(layout, path, name), "");
        EXPECT_EQ(layoutFileText(layout, name), expected);
    }

    std::string dir;
    const std::string expected = expectedText();
};

} // namespace

// Just past one block and just past two: the block is widened once, or twice.
TEST_F(LongLines, ALongLineAfterAnyLineOfEverySection) {
    const std::vector<std::string> golden = goldenLines();
    for (const std::size_t bytes : {kMB + 1, 2 * kMB + 1}) {
        for (std::size_t after = 1; after < golden.size(); ++after) {
            std::vector<std::string> lines = golden;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                         unknownLine(bytes));
            expectReadsAsGolden(lines, std::to_string(bytes) + " bytes after \"" +
                                           golden[after].substr(0, 30) + "\"");
        }
    }
}

TEST_F(LongLines, EveryElementWithALongAttribute) {
    const std::vector<std::string> golden = goldenLines();
    for (const std::size_t bytes : {kMB + 1, 2 * kMB + 1}) {
        for (std::size_t i = 0; i < golden.size(); ++i) {
            if (!hasAttributes(golden[i]))
                continue;
            std::vector<std::string> lines = golden;
            lines[i] = padded(golden[i], bytes);
            expectReadsAsGolden(lines, std::to_string(bytes) + " bytes in \"" +
                                           golden[i].substr(0, 30) + "\"");
        }
    }
}
