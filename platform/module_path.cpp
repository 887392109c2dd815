#include "platform/module_path.h"

#include "platform/paths.h"

#include <dlfcn.h>
#include <glib.h>

namespace plat {

std::string ExecutablePath() {
    gchar* target = g_file_read_link("/proc/self/exe", nullptr);
    std::string path = target ? target : "";
    g_free(target);
    return path;
}

std::string ModulePath(const void* address) {
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname) return std::string();
    // A program's own symbols may report its name as it was started.
    return FullPath(info.dli_fname);
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    std::size_t slash = path.rfind('/');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    std::string base = dot != std::string::npos && dot > nameStart ? path.substr(0, dot) : path;
    return base + "." + ext;
}

}  // namespace plat
