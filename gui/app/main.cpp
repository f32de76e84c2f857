#include "app/PlandorApp.h"

wxIMPLEMENT_APP(plandor::PlandorApp);
