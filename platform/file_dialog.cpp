#include "platform/file_dialog.h"

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/internal.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "platform/wnd.h"

#include <glib.h>

namespace plat {

namespace {
// The library's string "%s already exists.\nDo you want to replace it?".
constexpr unsigned kReplaceQuestion = 50046;
}  // namespace

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

std::string CaseInsensitivePattern(const std::string& pattern) {
    std::string out;
    bool inBrackets = false;
    for (char c : pattern) {
        if (c == '[') inBrackets = true;
        else if (c == ']') inBrackets = false;
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (inBrackets || !letter) {
            out += c;
            continue;
        }
        char lower = char(c | 0x20), upper = char(c & ~0x20);
        out += std::string("[") + lower + upper + "]";
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
    // A file about to be replaced is the user's to give up: asked here
    // unless the backend's dialog asked about this very name.
    bool askedAlready = app->GetBackend().ConfirmsOverwrite() && path == a.path;
    if (!open && (flags & OFN_OVERWRITEPROMPT) && !askedAlready && g_file_test(path.c_str(), G_FILE_TEST_EXISTS)) {
        gchar* shown = g_filename_display_basename(path.c_str());
        std::string question = LoadString(kReplaceQuestion);
        std::size_t at = question.find("%s");
        if (at != std::string::npos) question.replace(at, 2, shown);
        g_free(shown);
        if (MessageBox(owner, question, std::string(), MB_YESNO | MB_ICONWARNING) != IDYES) return false;
    }
    path_ = path;
    filterIndex = a.filterIndex;
    return true;
}

}  // namespace plat
