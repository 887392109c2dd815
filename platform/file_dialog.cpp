#include "platform/file_dialog.h"

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/wnd.h"

#include <glib.h>

namespace plat {

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<FileFilter> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;  // the closing "||"
        FileFilter f;
        f.name = parts[i];
        std::size_t s = 0;
        const std::string& pat = parts[i + 1];
        for (;;) {
            std::size_t semi = pat.find(';', s);
            std::string one = pat.substr(s, semi == std::string::npos ? std::string::npos : semi - s);
            if (!one.empty()) f.patterns.push_back(one);
            if (semi == std::string::npos) break;
            s = semi + 1;
        }
        out.push_back(f);
    }
    return out;
}

bool FileDialog::Run(Wnd* owner) {
    path_.clear();
    App* app = App::Instance();
    if (!app || !app->Ok()) return false;
    Answer a;
    {
        OwnerDisabled modal(owner);
        a = app->GetBackend().RunFileDialog(modal.Owner(), *this);
    }
    if (!a.ok || a.path.empty()) return false;
    std::string path = a.path;
    gchar* base = g_path_get_basename(path.c_str());
    bool hasExt = std::string(base).find('.') != std::string::npos;
    g_free(base);
    // A name typed without extension gets the default one, unless (when
    // opening) a file of exactly that name exists.
    if (!hasExt && !defaultExt.empty() && !(open && g_file_test(path.c_str(), G_FILE_TEST_EXISTS)))
        path += "." + defaultExt;
    if ((flags & OFN_FILEMUSTEXIST) && !g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) return false;
    path_ = path;
    filterIndex = a.filterIndex;
    return true;
}

}  // namespace plat
