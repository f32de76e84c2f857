#pragma once
// The texts of the splash and help windows, and the maker's web site they link to.

#include <string>
#include <utility>
#include <vector>

namespace plandor {

extern const char* const kMakerName;    // "Korvane Models"
extern const char* const kMakerSiteUrl; // the one address both windows open

extern const char* const kSplashTitle;            // "Plandor v1.3 by Korvane Models"
extern const char* const kSplashByText;           // "Plandor by"
extern const char* const kSplashButton;           // "  Done Staring  "
extern const char* const kSplashFallbackTitle;    // "Plandor", painted without a picture
extern const char* const kSplashFallbackSubtitle; // "by Korvane Models"

extern const char* const kHelpTitle; // "Plandor v1.3 Help"
extern const char* const kHelpClose; // "Close"

// One help topic: a bold title, then its text. With `link` set the text is followed by a link
// to the maker's site and then `afterLink`. The shortcut table is set in a fixed-width font.
struct HelpTopic {
    std::string title;
    std::string text;
    bool link = false;
    std::string afterLink;
    bool fixedWidth = false;
};
// The header first, then every topic in order.
std::vector<HelpTopic> helpTopics(); // in the user's language

// The keyboard shortcuts and mouse gestures as (keys, action): every command of the command
// table that has an accelerator, then the gestures that are not commands.
std::vector<std::pair<std::string, std::string>> shortcutRows();
// The same, one per line, keys padded to one column, then " - " and the action.
std::string shortcutTable();

} // namespace plandor
