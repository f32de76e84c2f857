#pragma once
// Placing catalogue pieces: the ghost that follows the cursor, dropping it with its joints,
// and the one-step extensions (auto-connect from the palette, clone and extend).

#include "core/base/Prompter.h"
#include "core/catalog/TrackCatalog.h"
#include "core/editing/Snap.h"
#include "core/model/Layout.h"

#include <cstdint>
#include <string>

namespace plandor {

struct PlacingState {
    bool active = false;
    std::string part;
    Pose ghost; // cursor position and ghost heading
    SnapResult snap;
};

// Starts placing a catalogue part with the ghost at `world`, heading 0. False (and nothing
// started) for an empty or unknown part number.
bool beginPlacing(PlacingState& placing, const std::string& part, Point world);
// Ends placing without placing anything.
void cancelPlacing(PlacingState& placing);
// Moves the ghost to the cursor and runs the snap search again.
void updateGhost(PlacingState& placing, const Layout& layout, Point world);

// Ghost heading step of one wheel notch: 30 degrees (15 with Shift), negative when the wheel
// turns backwards.
double ghostWheelStep(int wheelRotation, bool shift);
// Step of the R key and of the right button.
constexpr double kGhostTurnStep = 30.0;
// Turns the ghost and runs the snap search again at the current cursor position.
void rotateGhost(PlacingState& placing, const Layout& layout, double degrees);

// Appends a piece: gives it the next id, returns the id.
int32_t addPiece(Layout& layout, PlacedPiece piece);

// What a placing operation did, for the window to show.
struct PlaceOutcome {
    bool placed = false;
    int32_t pieceId = -1;
    int32_t twinId = -1;         // the second half of a paired piece, or -1
    bool resetViewLarge = false; // the first piece of the layout is a Z-Track piece
    std::string status;          // "Pieces: N" for the status bar's second field
};

// The level a piece dropped without a target goes to: the visible level with the greatest
// height (the first of equal ones), else the active level.
int32_t dropLevel(const Layout& layout);

// A left click while placing: drops the ghost (joined to its snap target), or shows the
// track-system refusal. Placing ends in every case.
PlaceOutcome dropPiece(Layout& layout, PlacingState& placing, Prompter& prompter);

// A palette double-click while pieces are selected: joins a new piece to the selected piece
// with the highest id.
PlaceOutcome autoConnect(Layout& layout, const std::string& part);

// A double-click on a placed piece: joins a copy of it to its free end.
PlaceOutcome cloneAndExtend(Layout& layout, int32_t pieceId);

// Text of the status bar's piece count.
std::string piecesStatusText(const Layout& layout);

} // namespace plandor
