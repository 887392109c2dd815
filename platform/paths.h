// File names as the framework shows and compares them.
#pragma once

#include <string>

namespace plat {

// `path` made absolute (from the current folder) with "." and ".." parts
// and repeated slashes taken out; symbolic links are kept as they are.
std::string FullPath(const std::string& path);
// The last part of `path` ("/tmp/notes.txt" -> "notes.txt"); "/" for the
// root and "." for an empty path.
std::string FileName(const std::string& path);
// The last part of `path` as it is shown to the user: valid UTF-8 whatever
// bytes the file system's name holds (the undecodable ones become U+FFFD).
std::string DisplayName(const std::string& path);

// A new folder "<prefix>-XXXXXX" under the system's temporary folder, removed
// with everything in it when this goes. Path() is empty when it could not be
// made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace plat
