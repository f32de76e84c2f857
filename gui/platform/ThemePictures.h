#pragma once
// With GTK's own theme, the dot of a chosen radio button is drawn from the theme's ready-drawn
// picture of it rather than from its vector drawing, which looks the same: the vector drawing
// loads an SVG library that adds 8 MiB to the program and a twentieth to its start, for one
// dot in the properties panel.

namespace plandor {

// Call once the toolkit has started. Other themes, and other toolkits, are left as they are.
void drawRadioDotsFromPictures();

} // namespace plandor
