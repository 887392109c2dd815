#include "platform/paths.h"

#include <glib.h>
#include <stdlib.h>

#include <filesystem>
#include <system_error>

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

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace plat
