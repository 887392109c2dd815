// The recent-file list: the last opened or saved files, most recent first,
// kept in the profile (section "Recent File List", keys "File1" ...) and
// shown in the menu in place of the item ID_FILE_MRU_FILE1 (a grayed
// placeholder while the list is empty).
#pragma once

#include <string>
#include <vector>

namespace plat {
class Menu;
}

namespace Kor {

class RecentFileList {
public:
    explicit RecentFileList(unsigned size = 10) : size_(size) {}

    // Moves `path` to the front (adding it), dropping the oldest past the size.
    void Add(const std::string& path);
    void Remove(unsigned index);
    unsigned Size() const { return size_; }
    const std::vector<std::string>& Files() const { return files_; }

    void ReadProfile();
    void WriteProfile() const;
    // Replaces the list's items in `menu` (and its submenus) by the files.
    void UpdateMenu(plat::Menu& menu) const;

private:
    unsigned size_;
    std::vector<std::string> files_;
    std::string placeholder_ = "Recent File";
};

}  // namespace Kor
