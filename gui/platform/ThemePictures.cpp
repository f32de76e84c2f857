#include "gui/platform/ThemePictures.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>

#include <cstdlib>
#include <cstring>
#endif

namespace plandor {

#ifdef __WXGTK__
namespace {

// GTK's theme names two pictures for the same dot: the vector one first, and the ready-drawn
// one, at the size the dot is shown, for where the vector one cannot be read.
constexpr const char* kRadioDot =
    "radio:checked, treeview.view radio:checked:selected {"
    " -gtk-icon-source: -gtk-recolor(url("
    "\"resource:///org/gtk/libgtk/theme/Adwaita/assets/bullet-symbolic.symbolic.png\")); }";

bool usingGtkOwnTheme() {
    const char* forced = std::getenv("GTK_THEME");
    if (forced && *forced && std::strncmp(forced, "Adwaita", 7) != 0)
        return false;
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return false;
    gchar* name = nullptr;
    g_object_get(settings, "gtk-theme-name", &name, nullptr);
    const bool own = name && std::strcmp(name, "Adwaita") == 0;
    g_free(name);
    return own;
}

} // namespace

void drawRadioDotsFromPictures() {
    GdkScreen* screen = gdk_screen_get_default();
    // The picture is drawn for one device pixel a point: on a scaled screen it would blur.
    if (!screen || !usingGtkOwnTheme() || gdk_screen_get_monitor_scale_factor(screen, 0) != 1)
        return;
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, kRadioDot, -1, nullptr))
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}
#else
void drawRadioDotsFromPictures() {}
#endif

} // namespace plandor
