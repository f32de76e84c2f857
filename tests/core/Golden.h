#pragma once
// Text pinned in a golden file of tests/data, compared line by line. Run the tests with
// PLANDOR_UPDATE_GOLDEN=1 to rewrite the files after an intended change, then review the diff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace plandor {

inline void expectGolden(const std::vector<std::string>& actual, const std::string& name) {
    const std::string path = std::string(PLANDOR_TEST_DATA) + "/" + name;
    if (std::getenv("PLANDOR_UPDATE_GOLDEN")) {
        std::ofstream out(path);
        for (const std::string& line : actual)
            out << line << "\n";
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "missing golden file " << path;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);)
        expected.push_back(line);
    const std::size_t common = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < common; ++i)
        if (expected[i] != actual[i]) {
            ADD_FAILURE() << name << " line " << i + 1 << ":\n  expected: " << expected[i]
                          << "\n  actual:   " << actual[i];
            return;
        }
    if (expected.size() != actual.size())
        ADD_FAILURE() << name << ": " << expected.size() << " lines expected, " << actual.size()
                      << " produced; first extra line: "
                      << (expected.size() > common ? expected[common] : actual[common]);
}

} // namespace plandor
