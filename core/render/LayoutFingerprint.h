#pragma once
// A 64-bit digest of everything the layout renderer reads from a layout. A picture of the
// layout kept between paints is current exactly while the digest (and the view) is unchanged,
// whoever changed the layout and whether or not they said so.

#include <cstdint>

namespace plandor {

class Layout;

uint64_t layoutFingerprint(const Layout& layout);

} // namespace plandor
