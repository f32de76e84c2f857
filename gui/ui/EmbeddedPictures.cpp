#include "gui/ui/EmbeddedPictures.h"

#include <wx/log.h>
#include <wx/mstream.h>

#include <cstddef>

namespace plandor::embedded {
extern const unsigned char kSplashPicture[];
extern const std::size_t kSplashPictureSize;
extern const unsigned char kBuyTrackPicture[];
extern const std::size_t kBuyTrackPictureSize;
extern const unsigned char kHelpPicture[];
extern const std::size_t kHelpPictureSize;
} // namespace plandor::embedded

namespace plandor {

wxImage loadPicture(Picture which, int width, int height) {
    using namespace embedded;
    const unsigned char* data = kSplashPicture;
    std::size_t size = kSplashPictureSize;
    if (which == Picture::BuyTrack) {
        data = kBuyTrackPicture;
        size = kBuyTrackPictureSize;
    } else if (which == Picture::HelpSide) {
        data = kHelpPicture;
        size = kHelpPictureSize;
    }
    if (size == 0)
        return wxImage();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream in(data, size);
    wxLogNull quiet; // a broken picture is left out, not reported
    wxImage image;
    if (!image.LoadFile(in, wxBITMAP_TYPE_PNG) || !image.IsOk())
        return wxImage();
    return image.Scale(width, height, wxIMAGE_QUALITY_HIGH);
}

} // namespace plandor
