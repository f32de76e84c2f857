// Writes a generated layout of N pieces to a file, for the process-level timings; with
// --load, reads a layout file in a fresh process and exits, so the timings can tell the
// reader's cold cost from the program's.
#include "LayoutGenerator.h"
#include "core/model/LayoutFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int loadOnly(const char* path) {
    plandor::Layout layout;
    std::string name;
    const std::string error = plandor::loadLayout(layout, path, name);
    if (!error.empty()) {
        std::fprintf(stderr, "generate_layout: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu pieces\n", layout.pieces.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--load")
        return loadOnly(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: generate_layout PIECES OUT.plo | generate_layout --load IN.plo\n");
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
