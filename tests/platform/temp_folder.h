// Temporary folders for the tests, and settings kept in one while it lives.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace plattest {

// A new folder under the system's temporary folder, removed with
// everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kor-test-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
        else
            ADD_FAILURE() << "cannot make a temporary folder";
    }
    ~TempFolder() {
        std::error_code error;
        if (path_.empty() || std::filesystem::remove_all(path_, error) == 0 || error)
            ADD_FAILURE() << "cannot remove " << path_;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The per-user settings (XDG_CONFIG_HOME) go to a temporary folder while
// this lives.
class ConfigHome : public TempFolder {
public:
    ConfigHome() { setenv("XDG_CONFIG_HOME", Path().c_str(), 1); }
    ~ConfigHome() { unsetenv("XDG_CONFIG_HOME"); }
};

}  // namespace plattest
