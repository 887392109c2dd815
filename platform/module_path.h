// Where the binaries of this process lie on disk: the running program and
// the shared library (or program) that holds a given address. Language
// catalogues are found beside them.
#pragma once

#include <string>

namespace plat {

// The full path of the running program; empty when it cannot be told.
std::string ExecutablePath();
// The full path of the binary that holds `address` (a function or object of
// it); empty when it cannot be told.
std::string ModulePath(const void* address);
// `path` with the extension of its file name (from the last dot on, if any)
// replaced by `.ext`: "/usr/lib/libkorvane.so" -> "/usr/lib/libkorvane.rus".
std::string ReplaceExtension(const std::string& path, const std::string& ext);

}  // namespace plat
