#pragma once
// The open document: the layout (with its undo history), where it lives on disk,
// its display name and whether it has unsaved changes. The main window owns one.

#include "model/Layout.h"

#include <string>

namespace plandor {

struct Document {
    Layout layout;
    std::string path; // empty for a layout never saved or opened
    std::string name; // the name stored in the file
    bool modified = false;
};

} // namespace plandor
