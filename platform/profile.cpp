#include "platform/profile.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdlib>

namespace plat {

Profile::Profile(std::string settingsKey, std::string appName)
    : key_(settingsKey.empty() ? "Korvane" : std::move(settingsKey)), app_(appName.empty() ? "app" : std::move(appName)) {}

Profile::~Profile() {
    if (file_) g_key_file_free(file_);
}

std::string Profile::FilePath() const {
    // Read the variable each time (GLib caches its own answer for the whole
    // run), so that a changed XDG_CONFIG_HOME takes effect.
    const char* env = std::getenv("XDG_CONFIG_HOME");
    std::string base = env && g_path_is_absolute(env) ? env : g_get_user_config_dir();
    return base + "/" + key_ + "/" + app_ + ".ini";
}

void Profile::Load() {
    if (file_) return;
    file_ = g_key_file_new();
    g_key_file_load_from_file(file_, FilePath().c_str(), G_KEY_FILE_KEEP_COMMENTS, nullptr);
}

bool Profile::Save() {
    std::string path = FilePath();
    gchar* dir = g_path_get_dirname(path.c_str());
    int made = g_mkdir_with_parents(dir, 0700);
    g_free(dir);
    if (made != 0) return false;
    return g_key_file_save_to_file(file_, path.c_str(), nullptr);
}

int Profile::GetInt(const std::string& section, const std::string& key, int def) {
    Load();
    GError* error = nullptr;
    int v = g_key_file_get_integer(file_, section.c_str(), key.c_str(), &error);
    if (error) {
        g_error_free(error);
        return def;
    }
    return v;
}

std::string Profile::GetString(const std::string& section, const std::string& key, const std::string& def) {
    Load();
    gchar* v = g_key_file_get_string(file_, section.c_str(), key.c_str(), nullptr);
    if (!v) return def;
    std::string s(v);
    g_free(v);
    return s;
}

bool Profile::WriteInt(const std::string& section, const std::string& key, int value) {
    Load();
    g_key_file_set_integer(file_, section.c_str(), key.c_str(), value);
    return Save();
}

bool Profile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Load();
    g_key_file_set_string(file_, section.c_str(), key.c_str(), value.c_str());
    return Save();
}

}  // namespace plat
