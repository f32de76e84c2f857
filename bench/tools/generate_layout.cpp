// Writes a generated layout of N pieces to a file, for the process-level timings.
#include "LayoutGenerator.h"
#include "model/LayoutFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: generate_layout PIECES OUT.plo\n");
        return 2;
    }
    const int pieces = std::atoi(argv[1]);
    if (pieces <= 0) {
        std::fprintf(stderr, "generate_layout: PIECES must be a positive number\n");
        return 2;
    }
    const plandor::Layout layout = plandor::generateLayout(pieces);
    const std::string name = "Generated " + std::to_string(pieces);
    if (!plandor::saveLayout(layout, argv[2], name).empty()) {
        std::fprintf(stderr, "generate_layout: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
