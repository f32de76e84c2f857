#pragma once
// The core speaks UTF-8 std::string; the toolkit speaks wxString.

#include <wx/string.h>

#include <string>

namespace plandor {

inline wxString toWx(const std::string& text) {
    return wxString::FromUTF8(text);
}
inline std::string fromWx(const wxString& text) {
    return text.ToStdString(wxConvUTF8);
}

} // namespace plandor
