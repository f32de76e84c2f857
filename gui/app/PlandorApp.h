#pragma once
#include <wx/app.h>

namespace plandor {

class PlandorApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;
};

} // namespace plandor
