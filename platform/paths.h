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

}  // namespace plat
