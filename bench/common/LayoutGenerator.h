#pragma once
// Realistic large layouts for benchmarks: long joined chains and loops of real catalogue
// pieces with turnouts, plus scenery, labels and levels.
#include "model/Layout.h"

namespace plandor {

Layout generateLayout(int pieceCount, unsigned seed = 1);

} // namespace plandor
