#pragma once
// The pictures built into the program: the splash background, the Buy Track help picture
// and the help side picture.

#include <wx/image.h>

namespace plandor {

enum class Picture { SplashBackground, BuyTrack, HelpSide };

// The picture scaled (high quality) to width x height; an empty image when it is missing
// or cannot be decoded, and then callers leave it out.
wxImage loadPicture(Picture which, int width, int height);

} // namespace plandor
