// Resources carried by each binary: files (images, cursors) by name and a
// string table by number. A module is a resource bundle compiled into a binary
// (GResource, under a path prefix), a folder, or a catalogue file holding only
// strings. Look-ups search a chain of modules in order, so a module earlier in
// the chain (a language catalogue, then the program) overrides later ones (the
// library).
//
// String tables are text, one entry a line: the number, one space or tab, the
// text with \n, \t and \\ escapes. Empty lines and lines starting with '#'
// are skipped.
#pragma once

#include <map>
#include <memory>
#include <string>

namespace plat {

class ResourceModule {
public:
    static std::shared_ptr<ResourceModule> FromBundle(const std::string& prefix);
    static std::shared_ptr<ResourceModule> FromFolder(const std::string& path);
    // Strings only; null when the file cannot be read.
    static std::shared_ptr<ResourceModule> FromCatalogue(const std::string& path);

    bool Find(const std::string& name, std::string& bytes) const;
    bool FindString(unsigned id, std::string& text) const;
    const std::string& Location() const { return location_; }

    // Parses string-table text into `table` (later entries win).
    static void ParseStrings(const std::string& text, std::map<unsigned, std::string>& table);

private:
    enum Kind { Bundle, Folder, Catalogue };
    ResourceModule(Kind kind, std::string location) : kind_(kind), location_(std::move(location)) {}
    void LoadStrings() const;

    Kind kind_;
    std::string location_;
    mutable bool stringsLoaded_ = false;
    mutable std::map<unsigned, std::string> strings_;
};

enum class ChainPosition { Front, Back };
void AddResourceModule(std::shared_ptr<ResourceModule> module, ChainPosition where);
void RemoveResourceModule(const ResourceModule* module);

// The library's own bundle, always last in the chain.
std::shared_ptr<ResourceModule> LibraryResources();

// Searches the chain; an unknown id gives an empty string.
std::string LoadString(unsigned id);
bool FindResource(const std::string& name, std::string& bytes);

// Prompt and tool tip of a command: its string resource is "prompt\ntip".
std::string CommandPrompt(unsigned id);
std::string CommandTip(unsigned id);

}  // namespace plat
