#include "platform/resources.h"

#include <gio/gio.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

namespace plat {

namespace {

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    bytes = ss.str();
    return true;
}

std::string Unescape(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char c = s[++i];
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

struct Chain {
    std::mutex mutex;
    std::vector<std::shared_ptr<ResourceModule>> modules;  // without the library's own
};

Chain& TheChain() {
    static Chain chain;
    return chain;
}

std::vector<std::shared_ptr<ResourceModule>> Snapshot() {
    Chain& c = TheChain();
    std::lock_guard<std::mutex> lock(c.mutex);
    auto list = c.modules;
    list.push_back(LibraryResources());
    return list;
}

}  // namespace

std::shared_ptr<ResourceModule> ResourceModule::FromBundle(const std::string& prefix) {
    return std::shared_ptr<ResourceModule>(new ResourceModule(Bundle, prefix));
}

std::shared_ptr<ResourceModule> ResourceModule::FromFolder(const std::string& path) {
    return std::shared_ptr<ResourceModule>(new ResourceModule(Folder, path));
}

std::shared_ptr<ResourceModule> ResourceModule::FromCatalogue(const std::string& path) {
    std::string bytes;
    if (!ReadFile(path, bytes)) return nullptr;
    std::shared_ptr<ResourceModule> m(new ResourceModule(Catalogue, path));
    ParseStrings(bytes, m->strings_);
    m->stringsLoaded_ = true;
    return m;
}

bool ResourceModule::Find(const std::string& name, std::string& bytes) const {
    switch (kind_) {
    case Bundle: {
        std::string path = location_ + "/" + name;
        GBytes* data = g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
        if (!data) return false;
        gsize size = 0;
        const char* p = static_cast<const char*>(g_bytes_get_data(data, &size));
        bytes.assign(p, size);
        g_bytes_unref(data);
        return true;
    }
    case Folder: return ReadFile(location_ + "/" + name, bytes);
    case Catalogue: return false;
    }
    return false;
}

void ResourceModule::ParseStrings(const std::string& text, std::map<unsigned, std::string>& table) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::size_t end = line.find_first_of(" \t");
        std::string number = line.substr(0, end);
        if (number.empty() || !std::all_of(number.begin(), number.end(), ::isdigit)) continue;
        unsigned long id = std::stoul(number);
        table[unsigned(id)] = end == std::string::npos ? std::string() : Unescape(line.substr(end + 1));
    }
}

void ResourceModule::LoadStrings() const {
    if (stringsLoaded_) return;
    stringsLoaded_ = true;
    std::string bytes;
    if (Find("strings.txt", bytes)) ParseStrings(bytes, strings_);
}

bool ResourceModule::FindString(unsigned id, std::string& text) const {
    LoadStrings();
    auto it = strings_.find(id);
    if (it == strings_.end()) return false;
    text = it->second;
    return true;
}

void AddResourceModule(std::shared_ptr<ResourceModule> module, ChainPosition where) {
    if (!module) return;
    Chain& c = TheChain();
    std::lock_guard<std::mutex> lock(c.mutex);
    if (where == ChainPosition::Front) c.modules.insert(c.modules.begin(), std::move(module));
    else c.modules.push_back(std::move(module));
}

void RemoveResourceModule(const ResourceModule* module) {
    Chain& c = TheChain();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.modules.erase(std::remove_if(c.modules.begin(), c.modules.end(),
                                   [&](const std::shared_ptr<ResourceModule>& m) { return m.get() == module; }),
                    c.modules.end());
}

std::shared_ptr<ResourceModule> LibraryResources() {
    static std::shared_ptr<ResourceModule> lib = ResourceModule::FromBundle("/org/vexilo/korvane");
    return lib;
}

std::string LoadString(unsigned id) {
    std::string text;
    for (const auto& m : Snapshot())
        if (m->FindString(id, text)) return text;
    return std::string();
}

bool FindResource(const std::string& name, std::string& bytes) {
    for (const auto& m : Snapshot())
        if (m->Find(name, bytes)) return true;
    return false;
}

std::string CommandPrompt(unsigned id) {
    std::string s = LoadString(id);
    return s.substr(0, s.find('\n'));
}

std::string CommandTip(unsigned id) {
    std::string s = LoadString(id);
    std::size_t nl = s.find('\n');
    return nl == std::string::npos ? std::string() : s.substr(nl + 1);
}

}  // namespace plat
