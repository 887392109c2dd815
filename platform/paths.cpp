#include "platform/paths.h"

#include <glib.h>

namespace plat {

namespace {
// Takes a string GLib allocated.
std::string Take(gchar* s) {
    std::string out = s ? s : "";
    g_free(s);
    return out;
}
}  // namespace

std::string FullPath(const std::string& path) { return Take(g_canonicalize_filename(path.c_str(), nullptr)); }

std::string FileName(const std::string& path) { return Take(g_path_get_basename(path.c_str())); }

std::string DisplayName(const std::string& path) { return Take(g_filename_display_basename(path.c_str())); }

}  // namespace plat
