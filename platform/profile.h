// Per-user settings by section and key (integers and strings), in an INI
// file "<app name>.ini" in a folder named after the settings key under the
// XDG configuration directory ($XDG_CONFIG_HOME, else ~/.config). Each write
// saves the file at once, atomically (a new file renamed over the old one),
// so a crash never leaves half a file behind.
#pragma once

#include <memory>
#include <string>

struct _GKeyFile;

namespace plat {

class Profile {
public:
    Profile(std::string settingsKey, std::string appName);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    std::string FilePath() const;
    // A missing entry, or one that is not an integer, gives `def`.
    int GetInt(const std::string& section, const std::string& key, int def);
    std::string GetString(const std::string& section, const std::string& key, const std::string& def);
    bool WriteInt(const std::string& section, const std::string& key, int value);
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    void Load();
    bool Save();

    std::string key_, app_;
    _GKeyFile* file_ = nullptr;
};

}  // namespace plat
