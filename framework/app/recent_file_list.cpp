#include "framework/app/recent_file_list.h"

#include "framework/app/command_ids.h"
#include "platform/app.h"
#include "platform/menu.h"

#include <algorithm>

namespace Kor {

namespace {
constexpr const char* kSection = "Recent File List";

std::string Key(unsigned i) { return "File" + std::to_string(i + 1); }

bool IsListItem(unsigned id) { return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST; }

// "&3 /home/me/notes.txt", with ampersands of the name shown as such.
std::string ItemText(unsigned i, const std::string& path) {
    std::string text = "&" + std::to_string((i + 1) % 10) + " ";
    for (char c : path) text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}
}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (files_.size() > size_) files_.resize(size_);
}

void RecentFileList::Remove(unsigned index) {
    if (index < files_.size()) files_.erase(files_.begin() + index);
}

void RecentFileList::ReadProfile() {
    files_.clear();
    plat::App* app = plat::App::Instance();
    if (!app) return;
    for (unsigned i = 0; i < size_; ++i) {
        std::string f = app->GetProfileString(kSection, Key(i));
        if (!f.empty()) files_.push_back(f);
    }
}

void RecentFileList::WriteProfile() const {
    plat::App* app = plat::App::Instance();
    if (!app) return;
    for (unsigned i = 0; i < size_; ++i) app->WriteProfileString(kSection, Key(i), i < files_.size() ? files_[i] : "");
}

void RecentFileList::UpdateMenu(plat::Menu& menu) const {
    int pos = -1;
    plat::Menu* m = menu.FindCommand(ID_FILE_MRU_FILE1, &pos);
    if (!m) return;
    while (pos < m->ItemCount() && IsListItem(m->ItemAt(pos).id)) m->RemoveItem(pos);
    if (files_.empty()) {
        m->InsertItem(pos, ID_FILE_MRU_FILE1, placeholder_, plat::MF_GRAYED);
        return;
    }
    for (unsigned i = 0; i < files_.size() && ID_FILE_MRU_FILE1 + i <= ID_FILE_MRU_LAST; ++i)
        m->InsertItem(pos + int(i), ID_FILE_MRU_FILE1 + i, ItemText(i, files_[i]));
}

}  // namespace Kor
